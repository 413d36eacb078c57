// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/zone_vues.h"

#include "framework/vue.h"

namespace velquor {

PZoneVues::PZoneVues(QWidget* parent) : QWidget(parent) {}

PZoneVues::~PZoneVues() {
  // The view goes as FermerVue sends it: its close query first. Nothing is told about it: the
  // frame that would show the title is going too.
  blockSignals(true);
  FermerVue();
}

void PZoneVues::Heberger(PVue* vue) {
  if (vue_ && vue_ != vue) FermerVue();
  vue_ = vue;
  vue->setParent(this);
  vue->setGeometry(rect());
  vue->show();
  vue->setFocus(Qt::OtherFocusReason);
  emit vueChangee(vue->windowTitle());
}

QWidget* PZoneVues::DepartCommandes() {
  if (!vue_) return this;
  if (PDialogue* client = vue_->Client()) return client;
  return vue_;
}

bool PZoneVues::FermerVue() {
  if (!vue_) return true;
  PVue* vue = vue_;
  const bool accepte = vue->close();
  vue_ = nullptr;
  delete vue;
  emit vueChangee(QString());
  return accepte;
}

void PZoneVues::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (vue_) vue_->setGeometry(rect());
}

}  // namespace velquor
