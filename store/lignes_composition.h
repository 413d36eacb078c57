// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The composition rows of a cocktail as the recipe is shown: the results window, the recipe
// pages and the menu show the rows from the first one and stop at the first row without an
// ingredient, so a row that holds an ingredient after such a row is shown nowhere. The writers
// that empty or clear rows (the ingredient deletion pass, the cocktail editor) close the rows up
// so that nothing stored is hidden; the check names the cocktails that still hide rows.

#include <vector>

#include "store/enregistrements.h"

namespace velquor {

// How many rows a display shows: those before the first row without an ingredient.
int NbLignesAffichees(const EnrCocktail& cocktail);

// The rows (0 to 9) that hold an ingredient but stand after a row without one.
std::vector<int> LignesCachees(const EnrCocktail& cocktail);

// Moves the rows up, nothing lost: first the rows with an ingredient, then the rows with only a
// quantity (an ingredient that a deletion emptied keeps its quantity), then the empty rows, each
// group in its order. A row's quantity and ingredient move together. True when a row moved.
bool ResserrerLignes(EnrCocktail& cocktail);

}  // namespace velquor
