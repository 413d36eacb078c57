// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/verrou_commandes.h"

#include <QApplication>
#include <QEvent>
#include <QObject>

namespace velquor {

namespace {

bool EstSaisieUtilisateur(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

class FiltreVerrou : public QObject {
 public:
  int verrous = 0;
  int saisiesBloquees = 0;
  long avalees = 0;

 protected:
  bool eventFilter(QObject*, QEvent* evenement) override {
    // Only what comes from the user or the window manager: the program's own events (a close()
    // it calls, events it sends) go through.
    if (saisiesBloquees == 0 || !evenement->spontaneous() ||
        !EstSaisieUtilisateur(evenement->type()))
      return false;
    // A close event not handled counts as accepted: refuse it.
    evenement->ignore();
    ++avalees;
    return true;
  }
};

FiltreVerrou* gFiltre = nullptr;

}  // namespace

bool CommandesVerrouillees() {
  return gFiltre && gFiltre->verrous > 0;
}

bool SaisiesBloquees() {
  return gFiltre && gFiltre->saisiesBloquees > 0;
}

long SaisiesAvalees() {
  return gFiltre ? gFiltre->avalees : 0;
}

VerrouCommandes::VerrouCommandes(Saisie saisie) : saisie_(saisie) {
  if (!gFiltre) gFiltre = new FiltreVerrou;
  if (gFiltre->verrous++ == 0 && qApp) qApp->installEventFilter(gFiltre);
  if (saisie_ == Saisie::Bloquee) ++gFiltre->saisiesBloquees;
}

VerrouCommandes::~VerrouCommandes() {
  if (saisie_ == Saisie::Bloquee) --gFiltre->saisiesBloquees;
  if (--gFiltre->verrous == 0 && qApp) qApp->removeEventFilter(gFiltre);
}

}  // namespace velquor
