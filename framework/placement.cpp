#include "framework/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
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

enum class Placement { Bureau, Parent, Ecran };

void Appliquer(QWidget* fenetre, Placement placement) {
  switch (placement) {
    case Placement::Bureau:
      Deplacer(fenetre, CalculerCentrage(RectFenetre(fenetre), RectBureau()));
      break;
    case Placement::Parent: {
      QWidget* parent = fenetre->parentWidget();
      const RectEcran reference = parent ? RectFenetre(parent->window()) : RectBureau();
      Deplacer(fenetre, CalculerCentrage(RectFenetre(fenetre), reference));
      break;
    }
    case Placement::Ecran:
      break;
  }
  const RectEcran ecran = RectBureau();
  Deplacer(fenetre, CalculerGardeSurEcran(RectFenetre(fenetre), ecran.Largeur(), ecran.Hauteur()));
}

const QString kNomPlacement = QStringLiteral("velquor placement au premier affichage");

// A window placed before it is shown has no frame yet: its rectangle is its inside only, so
// centring is off by half the frame and the screen's edges are missed by the frame's width. The
// last placement asked for runs again when the window is shown, its frame known by then.
class PlacementAuPremierAffichage : public QObject {
 public:
  PlacementAuPremierAffichage(QWidget* fenetre, Placement placement)
      : QObject(fenetre), placement_(placement) {
    setObjectName(kNomPlacement);
    fenetre->installEventFilter(this);
  }
  void Definir(Placement placement) { placement_ = placement; }

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (evenement->type() == QEvent::Show && objet == parent()) {
      auto* fenetre = static_cast<QWidget*>(objet);
      fenetre->removeEventFilter(this);
      const Placement placement = placement_;
      deleteLater();
      Appliquer(fenetre, placement);
    }
    return false;
  }

 private:
  Placement placement_;
};

void Placer(QWidget* fenetre, Placement placement) {
  if (!fenetre) return;
  Appliquer(fenetre, placement);
  if (!fenetre->isWindow() || fenetre->isVisible()) return;
  auto* differe = dynamic_cast<PlacementAuPremierAffichage*>(
      fenetre->findChild<QObject*>(kNomPlacement, Qt::FindDirectChildrenOnly));
  if (differe)
    differe->Definir(placement);
  else
    new PlacementAuPremierAffichage(fenetre, placement);
}

}  // namespace

void CentreFenetre(QWidget* fenetre) {
  Placer(fenetre, Placement::Bureau);
}

void CentreSurParent(QWidget* fenetre) {
  Placer(fenetre, Placement::Parent);
}

void GardeSurEcran(QWidget* fenetre) {
  Placer(fenetre, Placement::Ecran);
}

QPoint OrigineZoneClient(const QWidget* fenetre) {
  const auto* cadre = qobject_cast<const QMainWindow*>(fenetre);
  const QWidget* menu = cadre ? cadre->menuWidget() : nullptr;
  if (menu && !menu->isHidden())
    return fenetre->mapToGlobal(QPoint(0, menu->geometry().bottom() + 1));
  return fenetre->mapToGlobal(QPoint(0, 0));
}

}  // namespace velquor
