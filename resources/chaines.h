// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's string table: the texts the user reads in message boxes, by their resource id.

#include <string>
#include <string_view>

namespace velquor {

enum IdChaine : int {
  ChaineAideProgramme = 199,
  ChaineAccesAPropos = 2008,
  ChaineAPropos = 2009,
  ChaineCreationImpossible = 3001,
  ChaineOuvertureApresCreation = 3002,
  ChaineIngredientExistant = 3003,
  ChaineSuppressionIngredient = 3004,
  ChaineFamilleExistante = 3005,
  ChaineSuppressionFamille = 3006,
  ChaineCocktailExistant = 3007,
  ChaineSuppressionCocktail = 3008,
  ChaineNouvelIngredientAlcoolise = 3009,
  ChaineAucunCocktail = 3010,
  ChaineResultatExistant = 3011,
  ChaineAucuneInformation = 3012,
  ChaineQuitter = 24310,
};

// UTF-8 text of a string, or nullptr when the table has no such id.
const char* TexteChaine(int id);

// The text with argument in place of its first "%s" (a text without "%s" comes back
// unchanged). The argument is inserted as it is: a "%" in it is never read as a format. Both
// are in the same encoding (UTF-8: convert a stored name from code page 1252 first).
std::string FormaterChaine(std::string_view modele, std::string_view argument);

}  // namespace velquor
