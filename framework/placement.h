// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window placement: centring on the desktop or on the owner, then keeping the window on the
// screen. The arithmetic is that of the legacy helpers, on rectangles whose right and bottom
// edges lie just outside the window (right = left + width), with signed divisions by 2 that
// round toward zero.

class QPoint;
class QWidget;

namespace velquor {

struct RectEcran {
  int gauche = 0;
  int haut = 0;
  int droite = 0;
  int bas = 0;
  int Largeur() const { return droite - gauche; }
  int Hauteur() const { return bas - haut; }
  friend bool operator==(const RectEcran&, const RectEcran&) = default;
};

// The window's rectangle centred on the reference rectangle (the desktop or the owner).
RectEcran CalculerCentrage(const RectEcran& fenetre, const RectEcran& reference);

// The window's rectangle kept on a screen of cx x cy pixels: a negative left or top becomes 0;
// a right edge beyond cx gives left = cx - width; a bottom edge beyond cy gives top = cy -
// height. The last two test the edges as first taken, so a window larger than the screen ends
// with a negative left or top.
RectEcran CalculerGardeSurEcran(const RectEcran& fenetre, int cx, int cy);

// Where a window of frame size (largeur, hauteur) opens by a reference window (its frame
// rectangle, and the height of its title bar) on the screen's usable rectangle, without hiding
// the reference's title bar: beside the reference on its roomier side, narrowed down to
// kLargeurMinAupres when needed; when neither side has that room, over the reference under its
// title bar, shortened to the screen's bottom; when that leaves less than kHauteurMinAupres,
// above the title bar. Always whole on the screen, cut to its size.
inline constexpr int kLargeurMinAupres = 320;
inline constexpr int kHauteurMinAupres = 240;
RectEcran CalculerPlacementAupres(int largeur, int hauteur, const RectEcran& reference,
                                  int hauteurTitre, const RectEcran& ecran);

// The same on real windows: the frame rectangle, the primary screen as the desktop.
// CentreSurParent uses the owner's top-level window, or the desktop when there is none. The first
// two end with GardeSurEcran. A window placed before it is shown (a dialog in its set-up) has no
// frame yet: it is placed on its own rectangle at once, and the same placement runs again when
// it is shown, with its frame.
void CentreFenetre(QWidget* fenetre);
void CentreSurParent(QWidget* fenetre);
void GardeSurEcran(QWidget* fenetre);
// Opens the window by the reference window, as CalculerPlacementAupres says, on the reference's
// screen. A window never shown yet has no frame: the reference's frame is taken as its own.
void PlacerAupres(QWidget* fenetre, const QWidget* reference);

// Where the client area of a window starts, on the screen: under the menu bar of a frame. A
// dialog's template position counts from there, as the legacy dialog manager counted it.
QPoint OrigineZoneClient(const QWidget* fenetre);

// The rectangle these helpers read, and the screen they keep windows on.
RectEcran RectFenetre(const QWidget* fenetre);
RectEcran RectBureau();

}  // namespace velquor
