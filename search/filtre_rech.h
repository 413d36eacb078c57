// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The refine dialog "Affiner la recherche" (template 208): a family, an ingredient and an alcohol
// option with which the results window narrows its list. It only edits the three criteria,
// which the results window owns: read at set-up, rewritten on Ok, left alone on cancel.
//
//   FiltreRech(this, ingredient, famille, alcool).Executer();   // 1 ok, 2 cancel

#include <string>

#include "framework/dialogue.h"

namespace velquor {

class FiltreRech : public PDialogue {
  Q_OBJECT

 public:
  // ingredient and famille: a name (stored text), empty for all; alcool: "T" alcoholic and
  // not, "A" only alcoholic, "N" only non-alcoholic.
  FiltreRech(QWidget* proprietaire, std::string& filtreIngredient, std::string& filtreFamille,
             std::string& filtreAlcool);

 protected:
  void SetupWindow() override;
  void CmOk() override;

 private:
  std::string& filtreIngredient_;
  std::string& filtreFamille_;
  std::string& filtreAlcool_;
};

}  // namespace velquor
