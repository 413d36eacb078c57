// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog of the results view (template 207): the cocktails stored in the result pair
// RESURECH, and for the selected one its name as a title, its composition lines, its family and
// its remarks. Command 109 narrows the shown list with the refine dialog, without changing
// RESURECH. Escape and the close request only beep; Enter does nothing.

#include <cstdint>
#include <string>

#include "framework/dialogue.h"
#include "store/collections.h"

namespace velquor {

class TResuDlg : public PDialogue {
  Q_OBJECT

 public:
  static constexpr int CmAffinerRecherche = 109;

  explicit TResuDlg(QWidget* parent = nullptr);
  ~TResuDlg() override;

  // Command 109: asks the refine criteria, then rebuilds the list from the whole result.
  void AffinerResultat();

  // The number of results when the window opened.
  std::int32_t Total() const { return total_; }
  // The refine criteria, kept for the next refine: names (stored text) or empty for all, and
  // "T", "A" or "N" for the alcohol option.
  const std::string& FiltreIngredient() const { return filtreIngredient_; }
  const std::string& FiltreFamille() const { return filtreFamille_; }
  const std::string& FiltreAlcool() const { return filtreAlcool_; }

 protected:
  void SetupWindow() override;
  void CmOk() override;
  void CmCancel() override;
  void EvClose() override;

 private:
  void AfficherCocktail();
  void AfficherTotaux();
  bool PasseLesFiltres(const EnrCocktail& cocktail, FicIngredient& ingredients) const;

  FicCocktail resultat_{BaseResultat};
  std::int32_t total_ = 0;
  std::string filtreIngredient_;
  std::string filtreFamille_;
  std::string filtreAlcool_ = "T";
};

}  // namespace velquor
