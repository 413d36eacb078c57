// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generated recipe collections for the benchmarks: the same cocktails go into our files and into
// an SQLite database with the equivalent schema.

#include <string>
#include <vector>

namespace velquor::bench {

struct CocktailGenere {
  std::string nom, famille, remarques;
  std::string quantite[10], ingredient[10];
};

// n cocktails with distinct names, 3 to 8 composition rows drawn from a list of ingredients
// (CITRON in about one cocktail in ten), a family and about a hundred bytes of remarks.
std::vector<CocktailGenere> GenererCocktails(int n, unsigned graine = 7);

// The ingredient that about one cocktail in ten holds, and the three of the "at least one"
// search.
inline const char* const IngredientDixPourCent = "CITRON";
inline const char* const TroisIngredients[3] = {"GIN", "RHUM BLANC", "VODKA"};

}  // namespace velquor::bench
