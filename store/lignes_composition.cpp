// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/lignes_composition.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

#include "store/champ_texte.h"

namespace velquor {

namespace {

bool AIngredient(const EnrCocktail& cocktail, int ligne) {
  return !Texte(cocktail.Ingredient[ligne]).empty();
}

}  // namespace

int NbLignesAffichees(const EnrCocktail& cocktail) {
  int n = 0;
  while (n < NbLignesComposition && AIngredient(cocktail, n))
    ++n;
  return n;
}

std::vector<int> LignesCachees(const EnrCocktail& cocktail) {
  std::vector<int> cachees;
  for (int i = NbLignesAffichees(cocktail) + 1; i < NbLignesComposition; ++i) {
    if (AIngredient(cocktail, i)) cachees.push_back(i);
  }
  return cachees;
}

bool ResserrerLignes(EnrCocktail& cocktail) {
  const auto groupe = [&cocktail](int ligne) {
    if (AIngredient(cocktail, ligne)) return 0;
    return Texte(cocktail.Quantite[ligne]).empty() ? 2 : 1;
  };
  std::array<int, NbLignesComposition> ordre;
  std::iota(ordre.begin(), ordre.end(), 0);
  std::stable_sort(ordre.begin(), ordre.end(),
                   [&groupe](int a, int b) { return groupe(a) < groupe(b); });
  if (std::is_sorted(ordre.begin(), ordre.end())) return false;
  const EnrCocktail avant = cocktail;
  for (int i = 0; i < NbLignesComposition; ++i) {
    std::memcpy(cocktail.Quantite[i], avant.Quantite[ordre[i]], TailleQuantite);
    std::memcpy(cocktail.Ingredient[i], avant.Ingredient[ordre[i]], TailleNom);
  }
  return true;
}

}  // namespace velquor
