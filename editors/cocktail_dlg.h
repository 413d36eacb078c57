// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cocktail editor (template 203): the list of the cocktails, and for the selected one its ten
// composition rows (a free quantity text and an ingredient name each), its family and its
// remarks. The ingredient and family names are typed into type-ahead combo boxes; writing a
// cocktail creates every ingredient and family it names that does not exist yet, asking for each
// new ingredient whether it is alcoholic. A stored name that the lists do not hold is shown as it
// is stored, and written back as it is. A written cocktail has its rows closed up: a row left
// without an ingredient goes after those that have one, with its quantity.

#include <array>

#include "editors/editeur_dlg.h"
#include "editors/vue_editeur.h"
#include "store/collections.h"

namespace velquor {

class CbAssist;
class PEdition;
class PEditionMulti;

class TCocktailDlg : public PEditeurDlg {
  Q_OBJECT

 public:
  static constexpr int IdModele = 203;
  static constexpr int IdPremiereQuantite = 831;   // row i: 831 + i
  static constexpr int IdPremierIngredient = 851;  // row i: 851 + i
  static constexpr int IdFamille = 510;

  explicit TCocktailDlg(QWidget* parent = nullptr);

  void ActiverDetail(bool actif) override;

  PEdition* Quantite(int ligne) const;
  CbAssist* Ingredient(int ligne) const;
  CbAssist* Famille() const;

 protected:
  void SetupWindow() override;
  PFichier& Collection() override { return cocktails_; }
  void OuvrirCollections() override;
  void LierNotifications() override;
  void RemplirCombos() override;
  std::string_view NomEnreg() const override;
  void DonnerNomEnreg(std::string_view nom) override;
  std::span<unsigned char> OctetsEnreg() override;
  void PreparerNouveau(std::string_view nom) override;
  std::vector<ChampDetail> ChampsDetail() override;
  void AvantEcriture() override;
  int IdMessageExiste() const override;
  int IdQuestionSuppression() const override;

 private:
  PEditionMulti* Remarques() const;
  // The eleven combo boxes: the ten ingredient rows, then the family.
  std::array<CbAssist*, NbLignesComposition + 1> Combos() const;
  // The ingredient is created when missing, with the user's answer to "is it alcoholic?".
  void CreerIngredientSiAbsent(std::string_view nom);
  void CreerFamilleSiAbsente(std::string_view nom);
  // Adds a name to the list the ten ingredient combo boxes share.
  void AjouterIngredientAuxListes(std::string_view nom);

  FicCocktail cocktails_;
  FicIngredient ingredients_;
  FicFamille familles_;
};

// The cocktail view, titled "Gestion des cocktails".
class TCockChild : public PVueEditeur {
  Q_OBJECT

 public:
  explicit TCockChild(QWidget* parent = nullptr,
                      const QString& titre = QStringLiteral("Gestion des cocktails"),
                      TCocktailDlg* client = nullptr);
};

}  // namespace velquor
