// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/my_gadget_btn.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include "framework/application.h"
#include "framework/barre_controle.h"
#include "shell/bitmaps.h"

namespace velquor {

namespace {

// The glyph's pixels that are drawn in the greyed looks: everything but the face and the
// highlight, as the platform's disabled drawing does.
QImage Masque(const QImage& glyphe, QRgb face, QRgb lumiere, QRgb couleur) {
  QImage masque(glyphe.size(), QImage::Format_ARGB32);
  masque.setDevicePixelRatio(glyphe.devicePixelRatio());
  masque.fill(Qt::transparent);
  for (int y = 0; y < glyphe.height(); ++y) {
    for (int x = 0; x < glyphe.width(); ++x) {
      const QRgb p = glyphe.pixel(x, y) | 0xFF000000;
      if (p != (face | 0xFF000000) && p != (lumiere | 0xFF000000)) masque.setPixel(x, y, couleur);
    }
  }
  return masque;
}

class AccessibleGadget : public QAccessibleWidget {
 public:
  explicit AccessibleGadget(MyGadgetBtn* bouton)
      : QAccessibleWidget(
            bouton, bouton->Commande() == -1 ? QAccessible::Separator : QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? Bouton()->toolTip() : QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State etat = QAccessibleWidget::state();
    if (Bouton()->TypeBouton() == MyGadgetBtn::Type::Exclusif) {
      etat.checkable = true;
      etat.checked = Bouton()->EtatBouton() == MyGadgetBtn::Etat::Bas;
    }
    return etat;
  }
  QStringList actionNames() const override {
    return Bouton()->isEnabled() ? QStringList{pressAction()} : QStringList{};
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) Bouton()->Activer();
  }

 private:
  MyGadgetBtn* Bouton() const { return static_cast<MyGadgetBtn*>(widget()); }
};

QAccessibleInterface* InterfaceGadget(const QString& classe, QObject* objet) {
  if (classe != QLatin1String(MyGadgetBtn::staticMetaObject.className())) return nullptr;
  return new AccessibleGadget(static_cast<MyGadgetBtn*>(objet));
}

// The parent, once the factory above is installed: before the first button's base is built,
// since any change of a widget may ask for its interface, which is kept from then on.
QWidget* AvecInterface(QWidget* parent) {
  static const bool installee = (QAccessible::installFactory(InterfaceGadget), true);
  (void)installee;
  return parent;
}

}  // namespace

MyGadgetBtn::MyGadgetBtn(int idGlyphe, int commande, Type type, bool actif, Etat etat,
                         QWidget* parent)
    : QWidget(AvecInterface(parent)),
      idGlyphe_(idGlyphe),
      commande_(commande),
      type_(type),
      etat_(etat) {
  setFocusPolicy(Qt::NoFocus);  // clicking a button leaves the focus in the view
  setEnabled(actif);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MyGadgetBtn::AjouterA(PBarreControle& barre) {
  barre.AjouterGadget(this, commande_,
                      [this](bool actif) { MyGadgetBtnEnabler(commande_, *this).Enable(actif); });
}

const QImage& MyGadgetBtn::Glyphe() const {
  ConstruireGlyphe();
  return glyphe_;
}

void MyGadgetBtn::ConstruireGlyphe() const {
  if (glypheConstruit_) return;
  glypheConstruit_ = true;
  // Drawn for the screen's pixels: a high-density screen gets the glyph drawn twice as large.
  QImage image = idGlyphe_ != 0 ? ChargerBitmap(idGlyphe_, devicePixelRatioF()) : QImage();
  if (image.isNull()) return;
  const QPalette& p = palette();
  RemplacerPremiereCouleur(image, kGrisClair, p.color(QPalette::Button).rgb());
  RemplacerPremiereCouleur(image, kNoir, p.color(QPalette::ButtonText).rgb());
  RemplacerPremiereCouleur(image, kGrisFonce, p.color(QPalette::Dark).rgb());
  RemplacerPremiereCouleur(image, kBlanc, p.color(QPalette::Light).rgb());
  glyphe_ = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb face = p.color(QPalette::Button).rgb();
  const QRgb lumiere = p.color(QPalette::Light).rgb();
  // Disabled: the shape embossed, highlight one pixel down and right, then shadow.
  grise_ = QImage(glyphe_.size(), QImage::Format_ARGB32);
  grise_.setDevicePixelRatio(glyphe_.devicePixelRatio());
  grise_.fill(Qt::transparent);
  {
    QPainter peintre(&grise_);
    peintre.drawImage(1, 1, Masque(glyphe_, face, lumiere, lumiere));
    peintre.drawImage(0, 0, Masque(glyphe_, face, lumiere, p.color(QPalette::Dark).rgb()));
  }
  // Indeterminate: the glyph in the shadow colour only.
  attenue_ = Masque(glyphe_, face, lumiere, p.color(QPalette::Dark).rgb());
}

QSize MyGadgetBtn::TailleGlyphe() const {
  return glyphe_.isNull() ? QSize(kTailleGlyphe, kTailleGlyphe)
                          : glyphe_.deviceIndependentSize().toSize();
}

QSize MyGadgetBtn::sizeHint() const {
  ConstruireGlyphe();
  const QSize glyphe = TailleGlyphe();
  return glyphe + QSize(2 * kBordure, 2 * kBordure);
}

void MyGadgetBtn::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ConstruireGlyphe();
  const QSize glyphe = TailleGlyphe();
  const QRect interieur = rect().adjusted(kBordure, kBordure, -kBordure, -kBordure);
  // Signed divisions rounding toward zero, as C++ does.
  origineGlyphe_ = interieur.topLeft() + QPoint((interieur.width() - glyphe.width()) / 2,
                                                (interieur.height() - glyphe.height()) / 2);
}

void MyGadgetBtn::DessinerBordure(QPainter& peintre, bool bas) const {
  const QColor lumiere = palette().color(QPalette::Light);
  const QColor ombre = palette().color(QPalette::Dark);
  const QRect r = rect();
  peintre.setPen(bas ? ombre : lumiere);
  peintre.drawLine(r.topLeft(), r.topRight());
  peintre.drawLine(r.topLeft(), r.bottomLeft());
  peintre.setPen(bas ? lumiere : ombre);
  peintre.drawLine(r.bottomLeft(), r.bottomRight());
  peintre.drawLine(r.topRight(), r.bottomRight());
}

void MyGadgetBtn::paintEvent(QPaintEvent*) {
  ConstruireGlyphe();
  QPainter peintre(this);
  const QColor face = palette().color(QPalette::Button);
  peintre.fillRect(rect(), face);

  const bool bas = enfonce_ || etat_ == Etat::Bas;
  if (survol_ || etat_ == Etat::Bas || enfonce_) DessinerBordure(peintre, bas);

  const QRect interieur = rect().adjusted(kBordure, kBordure, -kBordure, -kBordure);
  const QImage* image = &glyphe_;
  bool decale = enfonce_;
  bool trame = false;
  if (!isEnabled()) {
    image = &grise_;
    decale = false;
  } else if (etat_ == Etat::Indetermine) {
    image = &attenue_;
    trame = true;
  } else if (etat_ == Etat::Bas && !enfonce_) {
    decale = true;
    trame = true;
  }
  if (trame) {
    // The latched look: a face dithered with the highlight.
    peintre.fillRect(interieur, QBrush(palette().color(QPalette::Light), Qt::Dense4Pattern));
  }
  if (!image->isNull()) {
    peintre.drawImage(origineGlyphe_ + (decale ? QPoint(1, 1) : QPoint(0, 0)), *image);
  }
}

void MyGadgetBtn::DefinirActif(bool actif) {
  if (actif == isEnabled()) return;
  setEnabled(actif);
  if (!actif) {
    // A disabled button is neither hot nor pressed.
    survol_ = false;
    enfonce_ = false;
  }
  update();
}

void MyGadgetBtn::DefinirEtat(Etat etat) {
  if (type_ == Type::Exclusif && etat == Etat::Bas) VerificationExclusive();
  if (etat != etat_) {
    etat_ = etat;
    update();
  }
}

void MyGadgetBtn::VerificationExclusive() {
  if (etat_ == Etat::Bas) return;
  auto* barre = qobject_cast<QToolBar*>(parentWidget());
  if (!barre) {
    etat_ = Etat::Bas;
    update();
    return;
  }
  std::vector<MyGadgetBtn*> gadgets;  // nullptr for anything but a MyGadgetBtn
  for (QAction* action : barre->actions()) {
    gadgets.push_back(qobject_cast<MyGadgetBtn*>(barre->widgetForAction(action)));
  }
  auto exclusif = [&](std::size_t i) { return gadgets[i] && gadgets[i]->type_ == Type::Exclusif; };
  std::size_t ici = 0;
  while (ici < gadgets.size() && gadgets[ici] != this)
    ++ici;
  if (ici == gadgets.size()) {
    etat_ = Etat::Bas;
    update();
    return;
  }
  // The unbroken run of exclusive buttons around this one.
  std::size_t debut = ici;
  bool dansSerie = false;
  for (std::size_t i = 0; i <= ici; ++i) {
    if (exclusif(i)) {
      if (!dansSerie) debut = i;
      dansSerie = true;
    } else {
      dansSerie = false;
    }
  }
  std::size_t fin = ici;
  while (fin + 1 < gadgets.size() && exclusif(fin + 1))
    ++fin;
  for (std::size_t i = debut; i <= fin; ++i) {
    if (gadgets[i] != this && gadgets[i]->etat_ == Etat::Bas) {
      gadgets[i]->etat_ = Etat::Haut;
      gadgets[i]->update();  // repainted whole: its border goes away
    }
  }
  etat_ = Etat::Bas;
  update();
}

void MyGadgetBtn::RemetHaut() {
  survol_ = false;
  enfonce_ = false;
  etat_ = Etat::Haut;
  update();
}

void MyGadgetBtn::CommencerPression() {
  enfonce_ = true;
  repaint();
}

void MyGadgetBtn::AnnulerPression() {
  enfonce_ = false;
  repaint();
}

void MyGadgetBtn::Activer() {
  if (type_ == Type::Exclusif && etat_ != Etat::Bas) VerificationExclusive();
  AnnulerPression();
  if (type_ == Type::Exclusif && etat_ != Etat::Bas) return;
  if (isEnabled()) Poster();
}

void MyGadgetBtn::Poster() {
  if (auto* barre = qobject_cast<PBarreControle*>(parentWidget())) {
    barre->PosterCommande(commande_);
  } else if (PApplication* app = PApplication::Courante(); app && commande_ != -1) {
    app->Routeur().Poster(commande_);
  }
}

void MyGadgetBtn::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (!survol_ && isEnabled()) {
    survol_ = true;
    repaint();
  }
}

void MyGadgetBtn::leaveEvent(QEvent* event) {
  if (survol_) {
    survol_ = false;
    repaint();
  }
  QWidget::leaveEvent(event);
}

void MyGadgetBtn::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  CommencerPression();  // Qt holds the mouse for this button until the button goes up
}

void MyGadgetBtn::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const bool dedans = rect().contains(event->position().toPoint());
  if (enfonce_ && !dedans) {
    AnnulerPression();
  } else if (!enfonce_ && dedans) {
    CommencerPression();
  }
}

void MyGadgetBtn::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  if (enfonce_) Activer();
}

}  // namespace velquor
