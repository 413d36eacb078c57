// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of the SQL files: fields separated by ";", text fields in double quotes, numbers in
// decimal, each line ended by CR LF. Rows are numbered from 1 in name order and the composition
// lines refer to the cocktails by those numbers. `cle` is the record's index key (its name).

#include <string>
#include <string_view>

#include "store/enregistrements.h"

namespace velquor {

// row;"Family name in title case";""
std::string LigneSqlFamille(int rang, std::string_view cle);
// row;"Ingredient name capitalised";0 or 1;"comment with <br>"
std::string LigneSqlIngredient(int rang, std::string_view cle, const EnrIngredient& ingredient);
// row;"Cocktail name capitalised";"FAMILY TRIMMED";"remarks with <br>"
std::string LigneSqlCocktail(int rang, std::string_view cle, const EnrCocktail& cocktail);
// number;row;"ingredient in lower case";"Quantity capitalised" for every row that holds a
// quantity or an ingredient; `numero` runs over the whole export and is advanced here.
std::string LignesSqlCompo(int& numero, int rang, const EnrCocktail& cocktail);

}  // namespace velquor
