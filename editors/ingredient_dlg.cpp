// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/ingredient_dlg.h"

#include <QCheckBox>

#include <cstddef>

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

std::span<unsigned char> TIngredientDlg::OctetsEnreg() {
  return Octets(ingredients_.Enreg);
}

std::vector<PEditeurDlg::ChampDetail> TIngredientDlg::ChampsDetail() {
  QCheckBox* alcoolise = Alcoolise();
  // The box is checked only for 1; a click stores 1 or 0.
  ChampDetail alcool{QStringLiteral("Ingrédient alcoolisé"),
                     alcoolise,
                     offsetof(EnrIngredient, Alcool),
                     1,
                     false,
                     [alcoolise]() -> std::optional<std::string> {
                       if (!alcoolise) return std::nullopt;
                       return std::string(1, alcoolise->isChecked() ? '\1' : '\0');
                     },
                     [alcoolise](std::string_view valeur) {
                       if (alcoolise) alcoolise->setChecked(valeur == std::string_view("\1", 1));
                     }};
  return {std::move(alcool),
          ChampEdition(QStringLiteral("Commentaires"), offsetof(EnrIngredient, Commentaire),
                       TailleCommentaire, Commentaire())};
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
