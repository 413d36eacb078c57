// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An owner-drawn button that shows a bitmap of the program re-coloured to the system's button
// colours (its light grey becomes the face, its entry 15 the highlight, its dark grey the
// shadow). Flat, it is the picture only, without a border: the About box shows the logo so.
//
//   Lier(501, [](QWidget* p) { return new BtnAffBmp(999, p, true); });

#include <QImage>

#include "framework/boutons.h"

namespace velquor {

class BtnAffBmp : public PBoutonDessine {
  Q_OBJECT

 public:
  explicit BtnAffBmp(int idBitmap, QWidget* parent = nullptr, bool plat = false);

  void DefinirPlat(bool plat);
  bool Plat() const { return plat_; }
  // The bitmap's size (the size the button asks for).
  QSize sizeHint() const override;
  // The picture as it is drawn now, its colours mapped to the current system colours.
  QImage ImageAffichee() const;

 protected:
  void Dessiner(QPainter& peintre) override;

 private:
  QImage bitmap_;  // the resource as loaded, with its own colour table
  bool plat_;
};

}  // namespace velquor
