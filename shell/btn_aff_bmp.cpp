// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/btn_aff_bmp.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "shell/bitmaps.h"

namespace velquor {

BtnAffBmp::BtnAffBmp(int idBitmap, QWidget* parent, bool plat)
    : PBoutonDessine(parent), plat_(plat) {
  // Drawn for the screen's pixels: twice as large on a high-density screen.
  bitmap_ = ChargerBitmap(idBitmap, devicePixelRatioF());
}

void BtnAffBmp::DefinirPlat(bool plat) {
  plat_ = plat;
  update();
}

QSize BtnAffBmp::sizeHint() const {
  return bitmap_.isNull() ? PBoutonDessine::sizeHint() : bitmap_.deviceIndependentSize().toSize();
}

QImage BtnAffBmp::ImageAffichee() const {
  // Mapped afresh at each drawing from the bitmap as loaded, so that it follows the system
  // colours.
  QImage image = bitmap_;
  const QPalette& p = palette();
  RemplacerPremiereCouleur(image, kGrisClair, p.color(QPalette::Button).rgb());
  DefinirCouleurIndex(image, 15, p.color(QPalette::Light).rgb());
  RemplacerPremiereCouleur(image, kGrisFonce, p.color(QPalette::Dark).rgb());
  return image;
}

void BtnAffBmp::Dessiner(QPainter& peintre) {
  peintre.fillRect(rect(), palette().color(QPalette::Button));
  if (!plat_) {
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &peintre, this);
  }
  if (bitmap_.isNull()) return;
  // Flat, the picture is drawn as a pressed face (one pixel right and down) whatever the
  // button's state; with a border, only while the button is down.
  const bool decale = plat_ || isDown();
  peintre.drawImage(decale ? QPoint(1, 1) : QPoint(0, 0), ImageAffichee());
}

}  // namespace velquor
