// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Flushes of different files wait on the disk together rather than one after another.

#include <functional>
#include <initializer_list>

namespace velquor {

// Runs the calls at once (all but the first on helper threads kept from one call to the next;
// a call no helper is free to take runs here, after the first) and says whether every one
// succeeded. Calls may come from several threads at a time.
bool ToutesEnParallele(std::initializer_list<std::function<bool()>> appels);

}  // namespace velquor
