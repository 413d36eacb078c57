// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/cadre_velquor.h"

namespace velquor {

RectEcran PositionInitialeCadre(const RectEcran& bureau) {
  const RectEcran centre = CalculerCentrage({0, 0, kLargeurCadre, kHauteurCadre}, bureau);
  return CalculerGardeSurEcran(centre, bureau.Largeur(), bureau.Hauteur());
}

TCadreVelquor::TCadreVelquor(const QString& titre, QWidget* parent) : PFenetreCadre(titre, parent) {
  // A caption with the system menu, the minimise and the close boxes; no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kLargeurInterieurCadre, kHauteurInterieurCadre);
}

void TCadreVelquor::Centrer() {
  const RectEcran r = PositionInitialeCadre(RectBureau());
  move(r.gauche, r.haut);  // a window's position is that of its decorations
}

}  // namespace velquor
