// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/cocktail_dlg.h"

#include <QStandardItemModel>

#include <cstddef>

#include <vector>

#include "editors/ecriture_editeur.h"
#include "framework/edition.h"
#include "framework/service_messages.h"
#include "resources/chaines.h"
#include "search/cb_assist.h"
#include "store/champ_texte.h"
#include "store/lignes_composition.h"
#include "store/lot_fichier.h"
#include "store/ouverture.h"

namespace velquor {

namespace {

constexpr std::size_t kLimiteNom = TailleNom;  // 30 characters and the terminator

// Shows a stored name in a combo box exactly as it is stored: its list entry when the list holds
// that very name, otherwise the name in the edit field, with no entry selected (never an entry
// that merely begins with it). A name the collection does not hold is so kept when the cocktail
// is written again, and created then like a typed name.
void MontrerNom(PCombo* combo, std::string_view nom) {
  if (!combo) return;
  const int index = nom.empty() ? -1 : combo->ChercherExact(nom);
  if (index >= 0 || nom.empty())
    combo->SelectionnerIndex(index);
  else
    combo->DefinirTexteCp1252(nom);
}

}  // namespace

TCocktailDlg::TCocktailDlg(QWidget* parent) : PEditeurDlg(IdModele, parent) {
  auto fabrique = [](QWidget* p) { return new CbAssist(p, kLimiteNom); };
  for (int i = 0; i < NbLignesComposition; ++i)
    Lier(IdPremierIngredient + i, fabrique);
  Lier(IdFamille, fabrique);
}

PEdition* TCocktailDlg::Quantite(int ligne) const {
  return Controle<PEdition>(IdPremiereQuantite + ligne);
}

CbAssist* TCocktailDlg::Ingredient(int ligne) const {
  return Controle<CbAssist>(IdPremierIngredient + ligne);
}

CbAssist* TCocktailDlg::Famille() const {
  return Controle<CbAssist>(IdFamille);
}

PEditionMulti* TCocktailDlg::Remarques() const {
  return Controle<PEditionMulti>(IdCommentaire);
}

std::array<CbAssist*, NbLignesComposition + 1> TCocktailDlg::Combos() const {
  std::array<CbAssist*, NbLignesComposition + 1> combos{};
  for (int i = 0; i < NbLignesComposition; ++i)
    combos[static_cast<std::size_t>(i)] = Ingredient(i);
  combos[NbLignesComposition] = Famille();
  return combos;
}

void TCocktailDlg::SetupWindow() {
  // The ten ingredient combo boxes always list the same names: they share one list, filled once
  // and added to once.
  auto* liste = new QStandardItemModel(this);
  for (int i = 0; i < NbLignesComposition; ++i) {
    if (CbAssist* combo = Ingredient(i)) combo->setModel(liste);
  }
  PEditeurDlg::SetupWindow();
}

void TCocktailDlg::OuvrirCollections() {
  OuvrirCollection(cocktails_, ServiceMessages());
  OuvrirCollection(ingredients_, ServiceMessages());
  OuvrirCollection(familles_, ServiceMessages());
}

void TCocktailDlg::LierNotifications() {
  for (int i = 0; i < NbLignesComposition; ++i) {
    if (PEdition* quantite = Quantite(i)) {
      connect(quantite, &PEdition::changement, this, [this] { MarquerModifie(); });
      connect(quantite, &PEdition::focusPerdu, this, [this] { Enregistrer(); });
    }
  }
  for (CbAssist* combo : Combos()) {
    if (!combo) continue;
    connect(combo, &PCombo::selectionChangee, this, [this] { MarquerModifie(); });
    connect(combo, &PCombo::texteSaisi, this, [this, combo] {
      combo->Completer();
      MarquerModifie();
    });
    connect(combo, &PCombo::focusPerdu, this, [this] { Enregistrer(); });
  }
}

void TCocktailDlg::RemplirCombos() {
  if (CbAssist* famille = Famille()) {
    famille->SuspendreDessin(true);
    LotFichier lot(familles_);  // the walk reads from memory
    if (familles_.Premier()) {
      do {
        famille->AjouterChaine(Texte(familles_.Enreg.Nom));
      } while (familles_.Suivant());
    }
    famille->SuspendreDessin(false);
  }
  if (ingredients_.Premier()) {
    LotFichier lot(ingredients_);
    do {
      AjouterIngredientAuxListes(Texte(ingredients_.Enreg.Nom));
    } while (ingredients_.Suivant());
  }
}

void TCocktailDlg::AjouterIngredientAuxListes(std::string_view nom) {
  CbAssist* premier = Ingredient(0);
  if (!premier) return;
  // A combo box whose list was empty selects the first name added to it: those that showed no
  // entry keep showing what they showed.
  struct Etat {
    CbAssist* combo;
    int index;
    QString texte;
  };
  std::vector<Etat> etats;
  if (premier->NbElements() == 0) {
    for (int i = 1; i < NbLignesComposition; ++i) {
      if (CbAssist* combo = Ingredient(i))
        etats.push_back({combo, combo->currentIndex(), combo->TexteEdition()});
    }
  }
  premier->AjouterChaine(nom);  // the list the ten share
  for (const Etat& etat : etats) {
    if (etat.index >= 0 || etat.combo->currentIndex() < 0) continue;
    etat.combo->DefinirTexteEdition(etat.texte);  // as it was, a stored name in small letters too
  }
}

void TCocktailDlg::ActiverDetail(bool actif) {
  for (int i = 0; i < NbLignesComposition; ++i) {
    if (PEdition* quantite = Quantite(i)) quantite->setEnabled(actif);
  }
  for (CbAssist* combo : Combos()) {
    if (combo) combo->setEnabled(actif);
  }
  if (auto* remarques = Remarques()) remarques->setEnabled(actif);
}

std::string_view TCocktailDlg::NomEnreg() const {
  return Texte(cocktails_.Enreg.Nom);
}

void TCocktailDlg::DonnerNomEnreg(std::string_view nom) {
  CopierTexte(cocktails_.Enreg.Nom, nom);
}

void TCocktailDlg::PreparerNouveau(std::string_view nom) {
  cocktails_.Enreg = {};
  CopierTexte(cocktails_.Enreg.Nom, nom);
}

std::span<unsigned char> TCocktailDlg::OctetsEnreg() {
  return Octets(cocktails_.Enreg);
}

std::vector<PEditeurDlg::ChampDetail> TCocktailDlg::ChampsDetail() {
  auto nom = [](QString libelle, std::size_t offset, CbAssist* combo) {
    return ChampDetail{std::move(libelle),
                       combo,
                       offset,
                       TailleNom,
                       true,
                       [combo] { return combo ? combo->TexteCp1252() : std::nullopt; },
                       [combo](std::string_view valeur) { MontrerNom(combo, valeur); }};
  };
  std::vector<ChampDetail> champs;
  for (int i = 0; i < NbLignesComposition; ++i) {
    const std::size_t ligne = static_cast<std::size_t>(i);
    champs.push_back(ChampEdition(QStringLiteral("Quantité, ligne %1").arg(i + 1),
                                  offsetof(EnrCocktail, Quantite) + ligne * TailleQuantite,
                                  TailleQuantite, Quantite(i)));
    champs.push_back(nom(QStringLiteral("Ingrédient, ligne %1").arg(i + 1),
                         offsetof(EnrCocktail, Ingredient) + ligne * TailleNom, Ingredient(i)));
  }
  champs.push_back(nom(QStringLiteral("Famille"), offsetof(EnrCocktail, Famille), Famille()));
  champs.push_back(ChampEdition(QStringLiteral("Remarques"), offsetof(EnrCocktail, Remarques),
                                TailleCommentaire, Remarques()));
  return champs;
}

void TCocktailDlg::CreerIngredientSiAbsent(std::string_view nom) {
  if (nom.empty() || ingredients_.Chercher(nom)) return;
  EnrIngredient& enr = ingredients_.Enreg;
  enr = {};
  CopierTexte(enr.Nom, nom);
  const int reponse = ServiceMessages().AffMessage(ChaineNouvelIngredientAlcoolise, nom,
                                                   StyleQuestion | StyleOuiNon);
  enr.Alcool = reponse == ReponseOui ? 1 : 0;
  // A failed addition is not reported: the cocktail keeps the name all the same.
  EcritureEditeur ecriture(ingredients_, false);
  ingredients_.Ajouter(nom);
  ecriture.Terminer();
  AjouterIngredientAuxListes(nom);
}

void TCocktailDlg::CreerFamilleSiAbsente(std::string_view nom) {
  if (nom.empty() || familles_.Chercher(nom)) return;
  familles_.Enreg = {};
  CopierTexte(familles_.Enreg.Nom, nom);
  EcritureEditeur ecriture(familles_, false);
  familles_.Ajouter(nom);
  ecriture.Terminer();
  if (CbAssist* famille = Famille()) famille->AjouterChaine(nom);
}

void TCocktailDlg::AvantEcriture() {
  EnrCocktail& enr = cocktails_.Enreg;
  // Every display stops at the first row without an ingredient: the rows after a cleared one
  // move up, so that none is stored where it would never be shown.
  ResserrerLignes(enr);
  for (const auto& ingredient : enr.Ingredient)
    CreerIngredientSiAbsent(Texte(ingredient));
  CreerFamilleSiAbsente(Texte(enr.Famille));
}

int TCocktailDlg::IdMessageExiste() const {
  return ChaineCocktailExistant;
}

int TCocktailDlg::IdQuestionSuppression() const {
  return ChaineSuppressionCocktail;
}

TCockChild::TCockChild(QWidget* parent, const QString& titre, TCocktailDlg* client)
    : PVueEditeur(parent, titre, client ? client : new TCocktailDlg) {}

}  // namespace velquor
