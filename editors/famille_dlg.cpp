// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/famille_dlg.h"

#include <cstddef>

#include "editors/coherence.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "resources/chaines.h"
#include "store/champ_texte.h"
#include "store/ouverture.h"

namespace velquor {

TFamilleDlg::TFamilleDlg(QWidget* parent) : PEditeurDlg(IdModele, parent) {}

PEditionMulti* TFamilleDlg::Commentaire() const {
  return Controle<PEditionMulti>(IdCommentaire);
}

void TFamilleDlg::OuvrirCollections() {
  OuvrirCollection(familles_, ServiceMessages());
}

void TFamilleDlg::ActiverDetail(bool actif) {
  if (auto* commentaire = Commentaire()) commentaire->setEnabled(actif);
}

std::string_view TFamilleDlg::NomEnreg() const {
  return Texte(familles_.Enreg.Nom);
}

void TFamilleDlg::DonnerNomEnreg(std::string_view nom) {
  CopierTexte(familles_.Enreg.Nom, nom);
}

void TFamilleDlg::PreparerNouveau(std::string_view nom) {
  familles_.Enreg = {};
  CopierTexte(familles_.Enreg.Nom, nom);
}

std::span<unsigned char> TFamilleDlg::OctetsEnreg() {
  return Octets(familles_.Enreg);
}

std::vector<PEditeurDlg::ChampDetail> TFamilleDlg::ChampsDetail() {
  return {ChampEdition(QStringLiteral("Commentaires"), offsetof(EnrFamille, Commentaire),
                       TailleCommentaire, Commentaire())};
}

void TFamilleDlg::ApresEnregistrer() {
  if (PListe* liste = Liste()) liste->setFocus(Qt::OtherFocusReason);
}

int TFamilleDlg::IdMessageExiste() const {
  return ChaineFamilleExistante;
}

int TFamilleDlg::IdQuestionSuppression() const {
  return ChaineSuppressionFamille;
}

void TFamilleDlg::Propager(std::string_view ancien, std::string_view nouveau) {
  LancerPasseCoherence(
      [&](RapporteurProgression& progression, const CrochetMessagesEnAttente& crochet) {
        return PropagerFamille(ancien, nouveau, progression, crochet);
      });
}

TFamChild::TFamChild(QWidget* parent, const QString& titre, TFamilleDlg* client)
    : PVueEditeur(parent, titre, client ? client : new TFamilleDlg) {}

}  // namespace velquor
