// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/boutons.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

namespace velquor {

namespace {

class FiltreMnemonique : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (evenement->type() != QEvent::Shortcut) return false;
    auto* bouton = qobject_cast<QAbstractButton*>(objet);
    if (!bouton) return false;
    if (static_cast<QShortcutEvent*>(evenement)->isAmbiguous()) return false;  // Qt's own
    if (!bouton->isEnabled()) return true;
    if (bouton->isCheckable() && (bouton->focusPolicy() & Qt::ClickFocus))
      bouton->setFocus(Qt::ShortcutFocusReason);
    bouton->click();
    return true;
  }
};

}  // namespace

void MnemoniqueImmediat(QAbstractButton* bouton) {
  static QPointer<FiltreMnemonique> filtre;
  if (!filtre) filtre = new FiltreMnemonique(qApp);
  bouton->installEventFilter(filtre);
}

void PRadio::nextCheckState() {
  setChecked(true);
  if (QButtonGroup* groupe = group()) {
    for (QAbstractButton* autre : groupe->buttons()) {
      if (autre != this) autre->setChecked(false);
    }
  }
}

void PRadio::keyPressEvent(QKeyEvent* event) {
  QRadioButton::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      break;
    default:
      return;
  }
  auto* suivant = qobject_cast<PRadio*>(QApplication::focusWidget());
  if (suivant && suivant != this && group() && suivant->group() == group()) suivant->click();
}

PBoutonDessine::PBoutonDessine(QWidget* parent) : QAbstractButton(parent) {}

QSize PBoutonDessine::sizeHint() const {
  return size();
}

void PBoutonDessine::Dessiner(QPainter&) {}

void PBoutonDessine::paintEvent(QPaintEvent*) {
  QPainter peintre(this);
  Dessiner(peintre);
}

}  // namespace velquor
