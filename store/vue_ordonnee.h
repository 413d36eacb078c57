// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of a sound tree in order, each with the offset of its node: it answers in O(log N)
// what a walk down the unbalanced tree on disk would reach. It is built only for a tree whose
// links all agree both ways and whose names come in strictly increasing order; a damaged tree
// is walked node by node instead.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "store/collation.h"

namespace velquor {

struct OrdreDesNoms {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return ComparerNoms(a, b) < 0; }
};

using VueOrdonnee = std::map<std::string, std::int32_t, OrdreDesNoms>;

}  // namespace velquor
