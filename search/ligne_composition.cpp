// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ligne_composition.h"

#include <algorithm>

namespace velquor {

std::string LigneComposition(std::string_view quantite, std::string_view ingredient) {
  std::string_view liaison;
  if (!ingredient.empty() &&
      std::string_view("AEIOUY").find(ingredient.front()) != std::string_view::npos) {
    liaison = " d' ";  // only the plain capitals: lower-case and accented letters do not count
  } else if (std::all_of(quantite.begin(), quantite.end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
    liaison = " ";
  } else {
    liaison = " de ";
  }
  std::string ligne;
  ligne.reserve(quantite.size() + liaison.size() + ingredient.size());
  ligne.append(quantite).append(liaison).append(ingredient);
  return ligne;
}

}  // namespace velquor
