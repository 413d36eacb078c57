// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box "A propos du Velquor": the program logo and the numbers of ingredients and
// cocktails stored, read from the headers of their data files each time the box opens.

#include <string>

#include "framework/dialogue.h"

class QLabel;

namespace velquor {

class BtnAffBmp;

// "%ld Ingrédients définis" and "%ld Cocktails définis" with that count (UTF-8).
std::string TexteCompteIngredients(long compte);
std::string TexteCompteCocktails(long compte);

class TVelquorAboutDlg : public PDialogue {
  Q_OBJECT

 public:
  explicit TVelquorAboutDlg(QWidget* parent);

  BtnAffBmp* Logo() const;
  QLabel* LigneIngredients() const;
  QLabel* LigneCocktails() const;

 protected:
  void SetupWindow() override;
};

}  // namespace velquor
