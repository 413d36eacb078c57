// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

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

RectEcran CalculerPlacementAupres(int largeur, int hauteur, const RectEcran& reference,
                                  int hauteurTitre, const RectEcran& ecran) {
  const int w = std::min(largeur, ecran.Largeur());
  const int h = std::min(hauteur, ecran.Hauteur());
  const auto dans = [](int valeur, int min, int max) {
    return std::max(min, std::min(valeur, max));
  };
  const int droite = ecran.droite - reference.droite;
  const int gauche = reference.gauche - ecran.gauche;
  if (std::max(droite, gauche) >= std::min(w, kLargeurMinAupres)) {
    const int l = std::min(w, std::max(droite, gauche));
    const int x = droite >= gauche ? reference.droite : reference.gauche - l;
    const int y = dans(reference.haut, ecran.haut, ecran.bas - h);
    return {x, y, x + l, y + h};
  }
  const int x =
      dans(reference.gauche + (reference.Largeur() - w) / 2, ecran.gauche, ecran.droite - w);
  const int sousTitre = std::max(reference.haut + hauteurTitre, ecran.haut);
  if (ecran.bas - sousTitre >= std::min(h, kHauteurMinAupres)) {
    return {x, sousTitre, x + w, sousTitre + std::min(h, ecran.bas - sousTitre)};
  }
  const int dessus = std::min(h, std::max(reference.haut - ecran.haut, 0));
  if (dessus >= std::min(h, kHauteurMinAupres)) return {x, ecran.haut, x + w, ecran.haut + dessus};
  return {x, ecran.bas - h, x + w, ecran.bas};
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

namespace {

bool CadreConnu(const QWidget* fenetre) {
  return fenetre->isVisible() && fenetre->frameGeometry() != fenetre->geometry();
}

// A window placed before it is shown gets its frame from the window manager once it is shown:
// the placement runs again then, with the frame's true size.
class AupresAuCadreConnu : public QObject {
 public:
  AupresAuCadreConnu(QWidget* fenetre, const QWidget* reference)
      : QObject(fenetre), reference_(reference) {
    fenetre->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override {
    auto* fenetre = static_cast<QWidget*>(parent());
    const QEvent::Type type = evenement->type();
    if (objet != fenetre ||
        (type != QEvent::Move && type != QEvent::Resize && type != QEvent::Hide))
      return false;
    if (type == QEvent::Hide || CadreConnu(fenetre)) {
      fenetre->removeEventFilter(this);
      deleteLater();
      if (type != QEvent::Hide && reference_) PlacerAupres(fenetre, reference_);
    }
    return false;
  }

 private:
  QPointer<const QWidget> reference_;
};

}  // namespace

void PlacerAupres(QWidget* fenetre, const QWidget* reference) {
  if (!fenetre || !reference) return;
  reference = reference->window();
  const QRect cadreRef = reference->frameGeometry();
  const QScreen* ecran = reference->screen();
  if (!ecran) ecran = QGuiApplication::primaryScreen();
  if (!ecran) return;
  // The frame's margins: the window's own once it has a frame, else the reference's.
  const bool connu = CadreConnu(fenetre);
  const QWidget* modele = connu ? fenetre : reference;
  const QRect dedans = modele->geometry();
  const QRect cadre = modele->frameGeometry();
  const QMargins marges(dedans.left() - cadre.left(), dedans.top() - cadre.top(),
                        cadre.right() - dedans.right(), cadre.bottom() - dedans.bottom());
  const QSize voulue = fenetre->size().grownBy(marges);
  const QRect u = ecran->availableGeometry();
  const RectEcran r =
      CalculerPlacementAupres(voulue.width(), voulue.height(),
                              {cadreRef.x(), cadreRef.y(), cadreRef.x() + cadreRef.width(),
                               cadreRef.y() + cadreRef.height()},
                              reference->geometry().top() - cadreRef.top(),
                              {u.x(), u.y(), u.x() + u.width(), u.y() + u.height()});
  fenetre->resize(QSize(r.Largeur(), r.Hauteur()).shrunkBy(marges));
  fenetre->move(r.gauche, r.haut);  // a window's position is its frame's
  if (!connu) new AupresAuCadreConnu(fenetre, reference);
}

QPoint OrigineZoneClient(const QWidget* fenetre) {
  const auto* cadre = qobject_cast<const QMainWindow*>(fenetre);
  const QWidget* menu = cadre ? cadre->menuWidget() : nullptr;
  if (menu && !menu->isHidden())
    return fenetre->mapToGlobal(QPoint(0, menu->geometry().bottom() + 1));
  return fenetre->mapToGlobal(QPoint(0, 0));
}

}  // namespace velquor
