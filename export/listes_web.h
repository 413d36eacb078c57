// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed-width records of the web list files: each field is the stored text followed by zero
// bytes up to its width (a text of exactly the width has no terminator), no separator.

#include <string>

#include "store/enregistrements.h"

namespace velquor {

constexpr std::size_t TailleNomWeb = 30;
constexpr std::size_t TailleQuantiteWeb = 20;
constexpr std::size_t TailleRemarquesWeb = 250;
constexpr std::size_t TailleCocktailWeb = 810;

// 30 bytes: the name.
std::string EnregistrementWeb(const EnrFamille& famille);
std::string EnregistrementWeb(const EnrIngredient& ingredient);
// 810 bytes: the name (30); for rows 1 to 10 the quantity (20) and the ingredient (30); the
// family (30); the remarks (250).
std::string EnregistrementWeb(const EnrCocktail& cocktail);

}  // namespace velquor
