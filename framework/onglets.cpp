// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/onglets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace velquor {

POnglets::POnglets(QWidget* parent) : QWidget(parent), barre_(new QTabBar(this)) {
  barre_->setDrawBase(false);
  barre_->setExpanding(false);
  setFocusProxy(barre_);
  barre_->installEventFilter(this);
  qApp->installEventFilter(this);  // the page keys, wherever the focus is in the window
  connect(barre_, &QTabBar::currentChanged, this, [this](int index) {
    if (parProgramme_ == 0) emit ongletChange(index);
  });
}

int POnglets::AjouterOnglet(const QString& titre) {
  ++parProgramme_;
  int index = barre_->addTab(titre);
  --parProgramme_;
  barre_->resize(barre_->sizeHint().width(), barre_->sizeHint().height());
  update();
  return index;
}

int POnglets::NbOnglets() const {
  return barre_->count();
}
int POnglets::Selection() const {
  return barre_->currentIndex();
}

void POnglets::Selectionner(int index) {
  ++parProgramme_;
  barre_->setCurrentIndex(index);
  --parProgramme_;
}

void POnglets::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  barre_->resize(std::min(width(), barre_->sizeHint().width()), barre_->sizeHint().height());
}

int POnglets::Pas(QObject* objet, QEvent* evenement) const {
  if (evenement->type() != QEvent::KeyPress || !isVisible() || !isEnabled() || NbOnglets() < 2)
    return 0;
  QWidget* focus = QApplication::focusWidget();
  if (objet != focus || !parentWidget() || focus->window() != window() ||
      !parentWidget()->isAncestorOf(focus))
    return 0;
  const auto* touche = static_cast<QKeyEvent*>(evenement);
  const Qt::KeyboardModifiers mods = touche->modifiers() & ~Qt::KeypadModifier;
  switch (touche->key()) {
    case Qt::Key_Tab:
      if (mods == Qt::ControlModifier) return 1;
      return mods == (Qt::ControlModifier | Qt::ShiftModifier) ? -1 : 0;
    case Qt::Key_Backtab:
      return mods == (Qt::ControlModifier | Qt::ShiftModifier) ? -1 : 0;
    case Qt::Key_PageDown:
      return mods == Qt::ControlModifier ? 1 : 0;
    case Qt::Key_PageUp:
      return mods == Qt::ControlModifier ? -1 : 0;
    default:
      return 0;
  }
}

bool POnglets::eventFilter(QObject* objet, QEvent* evenement) {
  if (const int pas = Pas(objet, evenement)) {
    barre_->setCurrentIndex((Selection() + pas + NbOnglets()) % NbOnglets());
    return true;
  }
  if (objet == barre_ && evenement->type() == QEvent::Wheel && !barre_->hasFocus()) {
    evenement->ignore();
    return true;
  }
  return QWidget::eventFilter(objet, evenement);
}

void POnglets::paintEvent(QPaintEvent*) {
  QStylePainter peintre(this);
  QStyleOptionTabWidgetFrame option;
  option.initFrom(this);
  const int haut = barre_->height() - 2;
  option.rect = QRect(0, haut, width(), height() - haut);
  option.tabBarSize = barre_->size();
  option.shape = QTabBar::RoundedNorth;
  option.tabBarRect = barre_->geometry();
  peintre.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

}  // namespace velquor
