// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/capture.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "framework/application.h"

namespace velquor {

namespace {

constexpr int kAttenteAffichageMs = 1500;

// The window's own area (its frame left out) in the screen's pixels: the window's size times
// its device pixel ratio, from its top-left corner. What the display shows of it when the whole
// window is on its screen; else (partly off the screen, or a platform that cannot read the
// screen) the window's own rendering, which has the same size.
QImage ImageFenetre(QWidget& fenetre) {
  const QSize attendue = (QSizeF(fenetre.size()) * fenetre.devicePixelRatioF()).toSize();
  QScreen* ecran = fenetre.screen();
  const QRect surEcran(fenetre.mapToGlobal(QPoint(0, 0)), fenetre.size());
  if (ecran && ecran->geometry().contains(surEcran)) {
    // Grabbed through the window's id: the platform takes the window's native rectangle itself,
    // so that nothing mixes the window's coordinates with the screen's pixels.
    const QPixmap vue = ecran->grabWindow(fenetre.winId());
    if (vue.size() == attendue) return vue.toImage();
  }
  return fenetre.grab().toImage();
}

}  // namespace

void ProgrammerCapture(PApplication& application, const QString& chemin) {
  QTimer::singleShot(kAttenteAffichageMs, &application, [&application, chemin] {
    QWidget* fenetre = application.FenetrePrincipale();
    bool ecrite = false;
    if (fenetre && fenetre->isVisible()) {
      const QImage image = ImageFenetre(*fenetre);
      ecrite = !image.isNull() && image.save(chemin, "PNG");
    }
    QApplication::exit(ecrite ? 0 : 1);
  });
}

}  // namespace velquor
