// SPDX-License-Identifier: GPL-3.0-or-later
#include "donnees_bench.h"

#include <random>

#include "support_bench.h"

namespace velquor::bench {

std::vector<CocktailGenere> GenererCocktails(int n, unsigned graine) {
  static const char* const ingredients[] = {
      "GIN",        "RHUM BLANC", "VODKA",     "TEQUILA",      "COGNAC",     "WHISKY",
      "VERMOUTH",   "CAMPARI",    "COINTREAU", "SIROP DE SUCRE", "GRENADINE", "MENTHE",
      "ORANGE",     "ANANAS",     "CREME",     "LAIT DE COCO", "ANGOSTURA",  "TONIC",
      "SODA",       "CHAMPAGNE",  "CASSIS",    "KAHLUA",       "AMARETTO",   "PECHE"};
  static const char* const quantites[] = {"4 cl", "2 cl", "1 trait", "6 cl", "1", "2 traits"};
  static const char* const familles[] = {"SOURS", "LONG DRINKS", "APERITIFS", "DIGESTIFS",
                                         "TIKI ET PUNCHS", "PETILLANTS"};
  std::mt19937 alea(graine);
  std::vector<CocktailGenere> cocktails;
  cocktails.reserve(static_cast<std::size_t>(n));
  for (const std::string& nom : NomsAleatoires(n, graine)) {
    CocktailGenere c;
    c.nom = nom;
    c.famille = familles[alea() % std::size(familles)];
    c.remarques =
        "Verser les ingredients dans un shaker avec de la glace, secouer vivement, filtrer et "
        "servir aussitot.";
    const int lignes = 3 + static_cast<int>(alea() % 6);
    for (int i = 0; i < lignes; ++i) {
      c.quantite[i] = quantites[alea() % std::size(quantites)];
      c.ingredient[i] = ingredients[alea() % std::size(ingredients)];
    }
    if (alea() % 10 == 0) c.ingredient[lignes - 1] = IngredientDixPourCent;
    cocktails.push_back(std::move(c));
  }
  return cocktails;
}

}  // namespace velquor::bench
