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

// The same on real windows: the frame rectangle, the primary screen as the desktop.
// CentreSurParent uses the owner's top-level window, or the desktop when there is none. The first
// two end with GardeSurEcran. A window placed before it is shown (a dialog in its set-up) has no
// frame yet: it is placed on its own rectangle at once, and the same placement runs again when
// it is shown, with its frame.
void CentreFenetre(QWidget* fenetre);
void CentreSurParent(QWidget* fenetre);
void GardeSurEcran(QWidget* fenetre);

// Where the client area of a window starts, on the screen: under the menu bar of a frame. A
// dialog's template position counts from there, as the legacy dialog manager counted it.
QPoint OrigineZoneClient(const QWidget* fenetre);

// The rectangle these helpers read, and the screen they keep windows on.
RectEcran RectFenetre(const QWidget* fenetre);
RectEcran RectBureau();

}  // namespace velquor
