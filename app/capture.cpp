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

}  // namespace

void ProgrammerCapture(PApplication& application, const QString& chemin) {
  QTimer::singleShot(kAttenteAffichageMs, &application, [&application, chemin] {
    QWidget* fenetre = application.FenetrePrincipale();
    bool ecrite = false;
    if (fenetre && fenetre->isVisible()) {
      // What the display shows (the window as the X server has it), else the widget's own
      // rendering.
      QPixmap image;
      if (QScreen* ecran = fenetre->screen()) {
        const QRect r = fenetre->frameGeometry();
        image = ecran->grabWindow(0, r.x(), r.y(), r.width(), r.height());
      }
      if (image.isNull()) image = fenetre->grab();
      ecrite = image.save(chemin, "PNG");
    }
    QApplication::exit(ecrite ? 0 : 1);
  });
}

}  // namespace velquor
