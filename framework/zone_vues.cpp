#include "framework/zone_vues.h"

#include "framework/vue.h"

namespace velquor {

PZoneVues::PZoneVues(QWidget* parent) : QWidget(parent) {}

PZoneVues::~PZoneVues() {
  delete vue_.data();
}

void PZoneVues::Heberger(PVue* vue) {
  if (vue_ && vue_ != vue) {
    delete vue_.data();
  }
  vue_ = vue;
  vue->setParent(this);
  vue->setGeometry(rect());
  vue->show();
  vue->setFocus(Qt::OtherFocusReason);
  emit vueChangee(vue->windowTitle());
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
