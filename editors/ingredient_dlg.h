// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ingredient editor (template 202): the list of the ingredients, and for the selected one
// whether it is alcoholic (check box 504, written at once when clicked) and its comment. A
// rename or a deletion is carried into the cocktails' composition rows.

#include "editors/editeur_dlg.h"
#include "editors/vue_editeur.h"
#include "store/collections.h"

class QCheckBox;

namespace velquor {

class PEditionMulti;

class TIngredientDlg : public PEditeurDlg {
  Q_OBJECT

 public:
  static constexpr int IdModele = 202;
  static constexpr int IdAlcoolise = 504;

  explicit TIngredientDlg(QWidget* parent = nullptr);

  void ActiverDetail(bool actif) override;

 protected:
  PFichier& Collection() override { return ingredients_; }
  void OuvrirCollections() override;
  std::string_view NomEnreg() const override;
  void DonnerNomEnreg(std::string_view nom) override;
  std::span<unsigned char> OctetsEnreg() override;
  void PreparerNouveau(std::string_view nom) override;
  std::vector<ChampDetail> ChampsDetail() override;
  int IdMessageExiste() const override;
  int IdQuestionSuppression() const override;
  void Propager(std::string_view ancien, std::string_view nouveau) override;

 private:
  PEditionMulti* Commentaire() const;
  QCheckBox* Alcoolise() const;

  FicIngredient ingredients_;
};

// The ingredient view, titled "Gestion des ingrédients".
class TIngChild : public PVueEditeur {
  Q_OBJECT

 public:
  explicit TIngChild(QWidget* parent = nullptr,
                     const QString& titre = QStringLiteral("Gestion des ingrédients"),
                     TIngredientDlg* client = nullptr);
};

}  // namespace velquor
