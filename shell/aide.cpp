// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/aide.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

#include "framework/application.h"
#include "framework/placement.h"

#include "shell/fenetre_aide.h"

namespace velquor {

namespace {

QPointer<TFenetreAide> gFenetre;

// While a modal dialog runs, every other window is blocked: the help window becomes a window of
// that dialog to stay usable, and goes back to being a window of its own when the dialog ends.
void RattacherAuModal(TFenetreAide* fenetre) {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == fenetre || fenetre->parentWidget() == modal) return;
  const bool visible = fenetre->isVisible();
  const QRect geometrie = fenetre->geometry();
  fenetre->setParent(modal, Qt::Window);
  if (visible) {
    fenetre->setGeometry(geometrie);
    fenetre->show();
  }
  if (auto* dialogue = qobject_cast<QDialog*>(modal)) {
    QObject::connect(
        dialogue, &QDialog::finished, fenetre,
        [fenetre] {
          if (fenetre->parentWidget()) RattacherAuModal(fenetre);
        },
        Qt::SingleShotConnection);
  }
}

}  // namespace

void AfficherAide(int contexte) {
  if (!gFenetre) gFenetre = new TFenetreAide;
  // The window the user was in: the help opens by it, and gives it the keyboard back.
  QWidget* reference = QApplication::activeWindow();
  if (!reference || reference == gFenetre) reference = QApplication::activeModalWidget();
  if (!reference && PApplication::Courante())
    reference = PApplication::Courante()->FenetrePrincipale();
  RattacherAuModal(gFenetre);
  gFenetre->MontrerPage(PageAide(contexte));
  if (!gFenetre->isVisible()) {
    gFenetre->resize(TFenetreAide::kTaille);
    PlacerAupres(gFenetre, reference);
  }
  gFenetre->show();
  gFenetre->raise();
  gFenetre->activateWindow();
}

void FermerAide() {
  delete gFenetre.data();
}

void InstallerAideF1() {
  if (PApplication* app = PApplication::Courante())
    app->DefinirAideF1([] { AfficherAideCourante(); });
}

void RetirerAideF1() {
  if (PApplication* app = PApplication::Courante()) app->DefinirAideF1({});
}

TFenetreAide* FenetreAide() {
  return gFenetre.data();
}

}  // namespace velquor
