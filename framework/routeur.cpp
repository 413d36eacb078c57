#include "framework/routeur.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

#include <algorithm>

#include "framework/verrou_commandes.h"

namespace velquor {

namespace {

// Whether the widget lies in the window or in a window it owns (a dialog over it).
bool EstDansOuPossedePar(const QWidget* widget, const QWidget* fenetre) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (w == fenetre) return true;
  }
  return false;
}

}  // namespace

PRouteurCommandes::PRouteurCommandes(QObject* parent) : QObject(parent) {}

QWidget* PRouteurCommandes::Depart() const {
  QWidget* focus = QApplication::focusWidget();
  // The focus in a window that the main window does not own (the help window): the main
  // window's commands start from where its own focus was.
  if (focus && (!fenetrePrincipale_ || EstDansOuPossedePar(focus, fenetrePrincipale_)))
    return focus;
  if (fenetrePrincipale_) {
    if (QWidget* dernier = fenetrePrincipale_->focusWidget()) return dernier;
    return fenetrePrincipale_;
  }
  return nullptr;
}

PCibleCommandes* PRouteurCommandes::Cible(int id, QWidget* depart) const {
  // Each window answers once, on the first path that reaches it.
  std::vector<PCibleCommandes*> vues;
  auto essayer = [&](QWidget* w) -> PCibleCommandes* {
    auto* cible = dynamic_cast<PCibleCommandes*>(w);
    if (!cible || std::find(vues.begin(), vues.end(), cible) != vues.end()) return nullptr;
    vues.push_back(cible);
    return cible->TraiteCommande(id) ? cible : nullptr;
  };
  for (QWidget* w = depart ? depart : Depart(); w; w = w->parentWidget()) {
    auto* cible = dynamic_cast<PCibleCommandes*>(w);
    if (!cible) continue;
    // Reached from outside what it hosts: the hosted side first, up to this window.
    if (QWidget* interieur = cible->DepartInterieur()) {
      for (QWidget* v = interieur; v && v != w; v = v->parentWidget()) {
        if (PCibleCommandes* trouvee = essayer(v)) return trouvee;
      }
    }
    if (PCibleCommandes* trouvee = essayer(w)) return trouvee;
  }
  if (application_ && application_->TraiteCommande(id)) return application_;
  return nullptr;
}

bool PRouteurCommandes::EstActive(int id, QWidget* depart) const {
  if (CommandesVerrouillees()) return false;
  PCibleCommandes* cible = Cible(id, depart);
  return cible && cible->ReglerActivation(id).value_or(true);
}

bool PRouteurCommandes::Envoyer(int id, QWidget* depart) {
  // EstActive: a command is refused while the commands are locked.
  PCibleCommandes* cible = CommandesVerrouillees() ? nullptr : Cible(id, depart);
  bool execute = cible && cible->ReglerActivation(id).value_or(true);
  if (execute) {
    cible->ExecuteCommande(id);
    emit commandeExecutee(id);
  }
  PasseInactive();
  return execute;
}

void PRouteurCommandes::Poster(int id) {
  // Posted while the commands are locked: dropped now, not kept for later.
  if (CommandesVerrouillees()) return;
  QMetaObject::invokeMethod(
      this, [this, id] { Envoyer(id); }, Qt::QueuedConnection);
}

void PRouteurCommandes::AbonnerAction(QAction* action) {
  Abonner(action, action->data().toInt(), [action](bool actif) { action->setEnabled(actif); });
}

void PRouteurCommandes::Abonner(QObject* proprietaire, int id, std::function<void(bool)> regler) {
  abonnes_.push_back({proprietaire, id, std::move(regler)});
}

void PRouteurCommandes::ActualiserMenu(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    if (action->isSeparator() || action->menu()) continue;
    bool ok = false;
    int id = action->data().toInt(&ok);
    if (ok) action->setEnabled(EstActive(id));
  }
}

void PRouteurCommandes::PasseInactive() {
  std::erase_if(abonnes_, [](const Abonne& a) { return a.proprietaire.isNull(); });
  // A rule may open files or add subscribers: walk a copy.
  const std::vector<Abonne> abonnes = abonnes_;
  QWidget* depart = Depart();
  for (const Abonne& a : abonnes) {
    if (!a.proprietaire.isNull()) a.regler(EstActive(a.id, depart));
  }
}

}  // namespace velquor
