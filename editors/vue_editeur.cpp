// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/vue_editeur.h"

#include <QCoreApplication>

#include "framework/verrou_commandes.h"

namespace velquor {

PVueEditeur::PVueEditeur(QWidget* parent, const QString& titre, PEditeurDlg* editeur)
    : PVue(titre, parent), editeur_(editeur) {
  DefinirClient(editeur);
  // The program quitting: the event loop has ended but every window still stands.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { ValiderSaisie(); });
}

PVueEditeur::~PVueEditeur() {
  // Deleted without a close query: the dialog, a child, still stands until QWidget's destructor.
  ValiderSaisie();
}

bool PVueEditeur::PeutFermer() {
  ValiderSaisie();
  return true;
}

void PVueEditeur::ValiderSaisie() {
  if (!editeur_ || !editeur_->Modifie()) return;
  // Writing may ask a question (a new ingredient of the cocktail editor): no command that
  // arrives meanwhile may close this view again or open another one.
  VerrouCommandes verrou(VerrouCommandes::Saisie::Libre);
  editeur_->ValiderSaisieEnCours();
}

}  // namespace velquor
