#include "editors/ingredient_dlg.h"

#include <QCheckBox>

#include "editors/coherence.h"
#include "framework/edition.h"
#include "framework/service_messages.h"
#include "resources/chaines.h"
#include "store/champ_texte.h"
#include "store/ouverture.h"

namespace velquor {

TIngredientDlg::TIngredientDlg(QWidget* parent) : PEditeurDlg(IdModele, parent) {
  // A click writes at once, with the comment shown beside it.
  Commande(IdAlcoolise, [this] {
    MarquerModifie();
    Enregistrer();
  });
}

PEditionMulti* TIngredientDlg::Commentaire() const {
  return Controle<PEditionMulti>(IdCommentaire);
}

QCheckBox* TIngredientDlg::Alcoolise() const {
  return Controle<QCheckBox>(IdAlcoolise);
}

void TIngredientDlg::OuvrirCollections() {
  OuvrirCollection(ingredients_, ServiceMessages());
}

void TIngredientDlg::ActiverDetail(bool actif) {
  if (auto* commentaire = Commentaire()) commentaire->setEnabled(actif);
  if (auto* alcoolise = Alcoolise()) alcoolise->setEnabled(actif);
}

std::string_view TIngredientDlg::NomEnreg() const {
  return Texte(ingredients_.Enreg.Nom);
}

void TIngredientDlg::DonnerNomEnreg(std::string_view nom) {
  CopierTexte(ingredients_.Enreg.Nom, nom);
}

void TIngredientDlg::PreparerNouveau(std::string_view nom) {
  ingredients_.Enreg = {};
  CopierTexte(ingredients_.Enreg.Nom, nom);
}

void TIngredientDlg::MontrerEnreg() {
  if (auto* alcoolise = Alcoolise()) alcoolise->setChecked(ingredients_.Enreg.Alcool == 1);
  if (auto* commentaire = Commentaire())
    commentaire->DefinirTexteCp1252(Texte(ingredients_.Enreg.Commentaire));
}

void TIngredientDlg::ViderDetail() {
  if (auto* alcoolise = Alcoolise()) alcoolise->setChecked(false);
  if (auto* commentaire = Commentaire()) commentaire->DefinirTexteCp1252("");
}

void TIngredientDlg::LireDetail() {
  if (auto* alcoolise = Alcoolise()) ingredients_.Enreg.Alcool = alcoolise->isChecked() ? 1 : 0;
  if (auto* commentaire = Commentaire())
    CopierTexte(ingredients_.Enreg.Commentaire, commentaire->TexteCp1252());
}

int TIngredientDlg::IdMessageExiste() const {
  return ChaineIngredientExistant;
}

int TIngredientDlg::IdQuestionSuppression() const {
  return ChaineSuppressionIngredient;
}

void TIngredientDlg::Propager(std::string_view ancien, std::string_view nouveau) {
  LancerPasseCoherence(
      [&](RapporteurProgression& progression, const CrochetMessagesEnAttente& crochet) {
        return PropagerIngredient(ancien, nouveau, progression, crochet);
      });
}

TIngChild::TIngChild(QWidget* parent, const QString& titre, TIngredientDlg* client)
    : PVueEditeur(parent, titre, client ? client : new TIngredientDlg) {}

}  // namespace velquor
