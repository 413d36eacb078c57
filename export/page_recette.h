// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One recipe page: the cocktail's name as heading, its family, its composition written as short
// sentences and its remarks, in a fixed five-column table with coloured cells.

#include <string>
#include <string_view>

#include "export/fichier_sortie.h"
#include "store/enregistrements.h"

namespace velquor {

// The word between a quantity and its ingredient: " d' " before an ingredient whose first
// character is A, E, I, O, U or Y; otherwise " " after a quantity made only of digits (an empty
// one included); otherwise " de ".
std::string_view JointureComposition(std::string_view quantite, std::string_view ingredient);

void EcrirePageRecette(FichierSortie& fichier, const EnrCocktail& cocktail);

}  // namespace velquor
