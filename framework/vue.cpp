// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/vue.h"

#include <QCloseEvent>
#include <QPushButton>

#include "framework/dialogue.h"

namespace velquor {

PVue::PVue(const QString& titre, QWidget* parent) : QWidget(parent) {
  setWindowTitle(titre);
  setAccessibleName(titre);
}

void PVue::DefinirClient(PDialogue* client) {
  client_ = client;
  client->setParent(this);  // a child widget now, whatever its template said
  client->move(0, 0);
  client->Creer();
  if (client->isWindow()) {  // a template without the child style: hosted all the same
    client->setWindowFlags(Qt::Widget);
    client->move(0, 0);
  }
  client->show();
  resize(client->size());
  setFocusProxy(client);
}

void PVue::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!client_) return;
  for (int id : {CmIdOk, CmIdAnnuler}) {
    if (auto* bouton = client_->Controle<QPushButton>(id)) {
      const QRect place(client_->mapTo(this, bouton->pos()), bouton->size());
      bouton->setVisible(rect().intersects(place));
    }
  }
}

void PVue::closeEvent(QCloseEvent* event) {
  if (PeutFermer())
    event->accept();
  else
    event->ignore();
}

}  // namespace velquor
