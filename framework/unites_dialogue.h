// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog units to pixels with the base units of the legacy dialog font (8-point "MS Sans Serif"
// at 96 dpi: 6 x 13 pixels), so that the layouts keep their proportions: x px = dlu * 6 / 4,
// y px = dlu * 13 / 8, each value rounded to the nearest pixel, halves away from zero, as the
// platform's MulDiv does. Positions and sizes are converted separately, as the dialog manager
// does when it creates the controls.

#include <QRect>

#include "framework/modele_dialogue.h"

namespace velquor {

inline constexpr int kBaseX = 6;
inline constexpr int kBaseY = 13;

// a * b / c rounded to the nearest integer, halves away from zero (c > 0).
constexpr int MulDiv(int a, int b, int c) {
  long long produit = static_cast<long long>(a) * b;
  long long moitie = c / 2;
  return static_cast<int>(produit >= 0 ? (produit + moitie) / c : -((-produit + moitie) / c));
}

constexpr int DluVersPixelsX(int dlu) {
  return MulDiv(dlu, kBaseX, 4);
}
constexpr int DluVersPixelsY(int dlu) {
  return MulDiv(dlu, kBaseY, 8);
}

inline QRect DluVersPixels(const RectDlu& r) {
  return QRect(DluVersPixelsX(r.x), DluVersPixelsY(r.y), DluVersPixelsX(r.cx),
               DluVersPixelsY(r.cy));
}

}  // namespace velquor
