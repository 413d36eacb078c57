#include "framework/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace velquor {

RectEcran CalculerCentrage(const RectEcran& fenetre, const RectEcran& reference) {
  const int w = fenetre.Largeur();
  const int h = fenetre.Hauteur();
  // C++ division of signed integers rounds toward zero, as the legacy code did.
  const int x = (reference.Largeur() - w) / 2 + reference.gauche;
  const int y = (reference.Hauteur() - h) / 2 + reference.haut;
  return {x, y, x + w, y + h};
}

RectEcran CalculerGardeSurEcran(const RectEcran& fenetre, int cx, int cy) {
  const int w = fenetre.Largeur();
  const int h = fenetre.Hauteur();
  int gauche = fenetre.gauche < 0 ? 0 : fenetre.gauche;
  int haut = fenetre.haut < 0 ? 0 : fenetre.haut;
  if (fenetre.droite > cx) gauche = cx - w;
  if (fenetre.bas > cy) haut = cy - h;
  return {gauche, haut, gauche + w, haut + h};
}

RectEcran RectFenetre(const QWidget* fenetre) {
  QRect r;
  if (fenetre->isWindow())
    r = fenetre->frameGeometry();
  else
    r = QRect(fenetre->mapToGlobal(QPoint(0, 0)), fenetre->size());
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

RectEcran RectBureau() {
  const QScreen* ecran = QGuiApplication::primaryScreen();
  if (!ecran) return {0, 0, 640, 480};
  const QRect r = ecran->geometry();
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

namespace {

void Deplacer(QWidget* fenetre, const RectEcran& r) {
  if (fenetre->isWindow()) {
    fenetre->move(r.gauche, r.haut);  // a window's position is its frame's
  } else if (QWidget* parent = fenetre->parentWidget()) {
    fenetre->move(parent->mapFromGlobal(QPoint(r.gauche, r.haut)));
  }
}

}  // namespace

void CentreFenetre(QWidget* fenetre) {
  if (!fenetre) return;
  Deplacer(fenetre, CalculerCentrage(RectFenetre(fenetre), RectBureau()));
  GardeSurEcran(fenetre);
}

void CentreSurParent(QWidget* fenetre) {
  if (!fenetre) return;
  QWidget* parent = fenetre->parentWidget();
  const RectEcran reference = parent ? RectFenetre(parent->window()) : RectBureau();
  Deplacer(fenetre, CalculerCentrage(RectFenetre(fenetre), reference));
  GardeSurEcran(fenetre);
}

void GardeSurEcran(QWidget* fenetre) {
  if (!fenetre) return;
  const RectEcran ecran = RectBureau();
  RectEcran r = CalculerGardeSurEcran(RectFenetre(fenetre), ecran.Largeur(), ecran.Hauteur());
  Deplacer(fenetre, r);
}

}  // namespace velquor
