#include "framework/boutons.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QPainter>

namespace velquor {

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
