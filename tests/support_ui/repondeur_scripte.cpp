// SPDX-License-Identifier: GPL-3.0-or-later
#include "support_ui/repondeur_scripte.h"

#include <gtest/gtest.h>

namespace velquor::test {

namespace {

int PremierBouton(BoutonsMessage boutons) {
  switch (boutons) {
    case BoutonsMessage::Ok:
    case BoutonsMessage::OkAnnuler:
      return ReponseOk;
    case BoutonsMessage::AbandonReessayerIgnorer:
      return ReponseAbandon;
    case BoutonsMessage::OuiNonAnnuler:
    case BoutonsMessage::OuiNon:
      return ReponseOui;
    case BoutonsMessage::ReessayerAnnuler:
      return ReponseReessayer;
  }
  return ReponseOk;
}

}  // namespace

RepondeurScripte::RepondeurScripte() : precedent_(InstallerServiceMessages(this)) {}

RepondeurScripte::~RepondeurScripte() {
  InstallerServiceMessages(precedent_);
}

int RepondeurScripte::Boite(const QString& titre, const QString& texte, unsigned style) {
  const BoutonsMessage boutons = BoutonsDuStyle(style);
  int reponse = PremierBouton(boutons);
  if (!reponses.empty()) {
    reponse = reponses.front();
    reponses.pop_front();
    EXPECT_TRUE(ReponsePossible(boutons, reponse))
        << "réponse " << reponse << " impossible pour la boîte « " << texte.toStdString() << " »";
  }
  boites.push_back({titre, texte, IconeDuStyle(style), boutons, style, reponse});
  return reponse;
}

int RepondeurGarde::Boite(const QString& titre, const QString& texte, unsigned) {
  ADD_FAILURE() << "boîte de message inattendue : " << titre.toStdString() << " — "
                << texte.toStdString();
  return ReponseOk;
}

}  // namespace velquor::test
