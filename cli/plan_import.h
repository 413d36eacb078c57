// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The import file checked as a whole and turned into what is to be added: the cocktails in the
// order of their first row, their composition rows in the slots of their order (a row without an
// ingredient gives no composition row, so none stands empty before another), and the families
// and ingredients they name in the order they first appear. Texts of the plan are
// code page 1252 bytes, names in capitals; remarks keep their line breaks as CR LF.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cli/lecteur_csv.h"

namespace velquor::outils {

struct LigneComposition {
  std::string quantite;
  std::string ingredient;
};

struct CocktailImporte {
  std::string nom;
  std::string famille;
  std::string remarques;
  std::vector<LigneComposition> lignes;  // at most ten
  int ligneCsv;                          // its first row
};

struct IngredientImporte {
  std::string nom;
  bool alcool;
  int ligneCsv;
};

struct FamilleImportee {
  std::string nom;
  int ligneCsv;
};

struct PlanImport {
  std::vector<FamilleImportee> familles;
  std::vector<IngredientImporte> ingredients;
  std::vector<CocktailImporte> cocktails;
};

struct ResultatPlan {
  PlanImport plan;
  std::vector<ErreurLigne> erreurs;  // every fault of the file, in line order
};

inline constexpr std::array<std::string_view, 6> ColonnesImport = {
    "cocktail", "famille", "quantite", "ingredient", "alcoolise", "remarques"};

ResultatPlan PreparerImport(std::string_view contenuUtf8);

}  // namespace velquor::outils
