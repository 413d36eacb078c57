// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the exports write, relative to the current directory. "web" (recipe pages) and "Web"
// (fixed-width lists) are two different folders on a case-sensitive file system.

#include <string>

namespace velquor {

inline constexpr const char* DossierPagesHtml = "web";
inline constexpr const char* DossierListesWeb = "Web";
inline constexpr const char* DossierFichiersSql = "Tux";

inline constexpr const char* CheminFamilleWeb = "./Web/FAMILLE.WEB";
inline constexpr const char* CheminIngredWeb = "./Web/INGRED.WEB";
inline constexpr const char* CheminCocktailWeb = "./Web/COCKTAIL.WEB";
inline constexpr const char* CheminFamilleSql = "./Tux/FAMILLE.SQL";
inline constexpr const char* CheminIngredSql = "./Tux/INGRED.SQL";
inline constexpr const char* CheminCocktailSql = "./Tux/COCKTAIL.SQL";
inline constexpr const char* CheminCompoSql = "./Tux/COMPO.SQL";

// "./web/recet001.html" for page 1; from page 1000 on the number has four digits.
std::string CheminPageHtml(int numero);

}  // namespace velquor
