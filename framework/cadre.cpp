// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/cadre.h"

#include <QAction>
#include <QMenuBar>
#include <QShortcut>

#include "framework/application.h"
#include "framework/barre_controle.h"
#include "framework/menus.h"
#include "framework/zone_vues.h"

namespace velquor {

PFenetreCadre::PFenetreCadre(const QString& titre, QWidget* parent)
    : QMainWindow(parent), routeur_(PApplication::Courante()->Routeur()), titre_(titre) {
  setWindowTitle(titre_);
  // F10 takes the keyboard to the menu bar, wherever the focus is in the frame.
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(f10, &QShortcut::activated, this, [this] { BasculerBarreMenu(menuBar()); });
}

void PFenetreCadre::DefinirMenu(const ModeleMenu& menu) {
  menuBar()->clear();
  ConstruireMenu(menuBar(), menu, routeur_);
}

bool PFenetreCadre::SupprimerPopup(int position) {
  const QList<QAction*> actions = menuBar()->actions();
  if (position < 0 || position >= actions.size()) return false;
  QAction* action = actions[position];
  menuBar()->removeAction(action);
  if (QMenu* menu = action->menu()) menu->deleteLater();
  return true;
}

void PFenetreCadre::DefinirAccelerateurs(const TableAccelerateurs& table) {
  InstallerAccelerateurs(this, table, routeur_);
}

PBarreControle* PFenetreCadre::AjouterBarreControle(const QString& titre) {
  barre_ = new PBarreControle(titre, routeur_, this);
  addToolBar(Qt::TopToolBarArea, barre_);
  return barre_;
}

void PFenetreCadre::DefinirZoneVues(PZoneVues* zone) {
  zone_ = zone;
  setCentralWidget(zone);
  connect(zone, &PZoneVues::vueChangee, this, &PFenetreCadre::MettreTitre);
}

QWidget* PFenetreCadre::DepartInterieur() {
  return zone_ ? zone_->DepartCommandes() : nullptr;
}

void PFenetreCadre::MettreTitre(const QString& titreVue) {
  setWindowTitle(titreVue.isEmpty() ? titre_ : QStringLiteral("%1 - [%2]").arg(titre_, titreVue));
}

}  // namespace velquor
