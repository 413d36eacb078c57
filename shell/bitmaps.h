// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pictures: the toolbar glyphs (101 to 110, and 1 for the dividers), the logo
// (999) and the icons (1001 for the main window, 1002 for the views). The bitmaps are 16-colour
// palette images, so that their colours can be mapped to the system's on their colour table.

#include <QIcon>
#include <QImage>
#include <QRgb>

namespace velquor {

// The colours the pictures are drawn with, which the program maps to the system's.
inline constexpr QRgb kGrisClair = 0xFFC0C0C0;  // (192, 192, 192): button face
inline constexpr QRgb kGrisFonce = 0xFF808080;  // (128, 128, 128): button shadow
inline constexpr QRgb kNoir = 0xFF000000;       // button text
inline constexpr QRgb kBlanc = 0xFFFFFFFF;      // button highlight

// Makes the compiled-in pictures and help pages reachable (":/velquor/..."); done once.
void AssurerRessources();

// The bitmap resource with that id as an indexed image with its colour table, or a null image
// when there is none.
QImage ChargerBitmap(int id);
// The same picture for a screen of that device pixel ratio: from 1.5 on, the drawing made
// twice as large when there is one (with a device pixel ratio of 2, so that it takes the same
// room), else the picture of ChargerBitmap(id).
QImage ChargerBitmap(int id, qreal ratio);
// The icon group with that id (its large and small pictures), or a null icon.
QIcon ChargerIcone(int id);

// In the image's colour table, sets the first entry equal to de to vers. Returns whether one was
// found (nothing changes otherwise).
bool RemplacerPremiereCouleur(QImage& image, QRgb de, QRgb vers);
// Sets entry index of the colour table, when there is one.
void DefinirCouleurIndex(QImage& image, int index, QRgb couleur);

}  // namespace velquor
