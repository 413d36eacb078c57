// SPDX-License-Identifier: GPL-3.0-or-later
#include "reel/programme_reel.h"

#include "shell/vues_programme.h"

namespace velquor::test {

ProgrammeReel::ProgrammeReel() {
  InstallerServiceMessages(&service_);
}

ProgrammeReel::~ProgrammeReel() {
  app_.reset();
  InstallerServiceMessages(nullptr);
}

void ProgrammeReel::SetUp() {
  if (!AffichageReelDisponible())
    GTEST_SKIP() << "Pas de serveur X : scripts/test.sh en démarre un (VELQUOR_AFFICHAGE_REEL)";
}

void ProgrammeReel::Demarrer() {
  app_ = std::make_unique<TVelquorApp>(EnregistrerVuesProgramme);
  app_->CreerFenetrePrincipale();
  Cadre()->show();
  Cadre()->activateWindow();
}

bool ProgrammeReel::AttendreCadre(Pilote& p) {
  return p.AttendreActive(p.Sur([this] { return Cadre(); }), "la fenêtre principale");
}

QWidget* ProgrammeReel::Cadre() const {
  return app_ ? app_->FenetrePrincipale() : nullptr;
}

TVelquorMDIClient* ProgrammeReel::Client() const {
  return app_ ? app_->ClientMDI : nullptr;
}

PDialogue* ProgrammeReel::OuvrirVue(Pilote& p, int commande) {
  p.Sur([&] { app_->Routeur().Envoyer(commande); });
  PDialogue* dialogue = nullptr;
  p.Attendre(
      [&] {
        PVue* vue = Client()->Vue();
        dialogue = vue ? vue->Client() : nullptr;
        QWidget* focus = QApplication::focusWidget();
        return dialogue && dialogue->isVisible() && focus &&
               (focus == dialogue || dialogue->isAncestorOf(focus));
      },
      "la vue de la commande " + std::to_string(commande) + ", le focus dans son dialogue");
  return dialogue;
}

}  // namespace velquor::test
