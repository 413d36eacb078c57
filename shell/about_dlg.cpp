// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/about_dlg.h"

#include <QLabel>

#include "framework/application.h"
#include "shell/btn_aff_bmp.h"
#include "store/collections.h"

namespace velquor {

namespace {

constexpr int kIdLogo = 999;
enum ControleAPropos : int { IdLogo = 501, IdCocktails = 502, IdIngredients = 503 };

// The live-record count of a collection's data header; 0 when its files do not open.
template <class Collection>
long Compter(std::string_view nomBase) {
  Collection collection(nomBase);
  if (!collection.Ouvrir()) return 0;
  collection.LireEntete();
  const long compte = collection.NbEnreg;
  collection.Fermer();
  return compte;
}

}  // namespace

std::string TexteCompteIngredients(long compte) {
  return std::to_string(compte) + " Ingrédients définis";
}

std::string TexteCompteCocktails(long compte) {
  return std::to_string(compte) + " Cocktails définis";
}

TVelquorAboutDlg::TVelquorAboutDlg(QWidget* parent) : PDialogue(22000, parent) {
  Lier(IdLogo, [](QWidget* p) { return new BtnAffBmp(kIdLogo, p, true); });
}

BtnAffBmp* TVelquorAboutDlg::Logo() const {
  return Controle<BtnAffBmp>(IdLogo);
}
QLabel* TVelquorAboutDlg::LigneIngredients() const {
  return Controle<QLabel>(IdIngredients);
}
QLabel* TVelquorAboutDlg::LigneCocktails() const {
  return Controle<QLabel>(IdCocktails);
}

void TVelquorAboutDlg::SetupWindow() {
  // The logo is a button: assistive technology reads it as the program it shows.
  if (BtnAffBmp* logo = Logo(); logo && PApplication::Courante())
    logo->setAccessibleName(PApplication::Courante()->Nom());
  const std::string ingredients = TexteCompteIngredients(Compter<FicIngredient>(BaseIngredient));
  if (QLabel* ligne = LigneIngredients()) ligne->setText(QString::fromStdString(ingredients));
  const std::string cocktails = TexteCompteCocktails(Compter<FicCocktail>(BaseCocktail));
  if (QLabel* ligne = LigneCocktails()) ligne->setText(QString::fromStdString(cocktails));
}

}  // namespace velquor
