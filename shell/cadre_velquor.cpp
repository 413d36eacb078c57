#include "shell/cadre_velquor.h"

#include <QEvent>
#include <QMargins>

namespace velquor {

namespace {

// The decorations counted in the frame's size while the window system shows none (no window
// manager, or before the window is shown): a caption and a thin border.
constexpr QMargins kMargesClassiques(3, 22, 3, 3);

}  // namespace

RectEcran PositionInitialeCadre(const RectEcran& bureau) {
  const RectEcran centre = CalculerCentrage({0, 0, kLargeurCadre, kHauteurCadre}, bureau);
  return CalculerGardeSurEcran(centre, bureau.Largeur(), bureau.Hauteur());
}

TCadreVelquor::TCadreVelquor(const QString& titre, QWidget* parent) : PFenetreCadre(titre, parent) {
  // A caption with the system menu, the minimise and the close boxes; no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  AjusterTaille();
}

void TCadreVelquor::Centrer() {
  const RectEcran r = PositionInitialeCadre(RectBureau());
  move(r.gauche, r.haut);  // a window's position is that of its decorations
}

void TCadreVelquor::AjusterTaille() {
  QMargins marges = kMargesClassiques;
  if (isVisible()) {
    const QRect cadre = frameGeometry();
    const QRect client = geometry();
    if (cadre != client) {
      marges = QMargins(client.left() - cadre.left(), client.top() - cadre.top(),
                        cadre.right() - client.right(), cadre.bottom() - client.bottom());
    }
  }
  const QSize taille(kLargeurCadre - marges.left() - marges.right(),
                     kHauteurCadre - marges.top() - marges.bottom());
  if (size() != taille || minimumSize() != taille || maximumSize() != taille) setFixedSize(taille);
}

bool TCadreVelquor::event(QEvent* event) {
  const bool traite = PFenetreCadre::event(event);
  // The window system tells the decorations once the window is shown and placed.
  if (event->type() == QEvent::Show || event->type() == QEvent::Move) AjusterTaille();
  return traite;
}

}  // namespace velquor
