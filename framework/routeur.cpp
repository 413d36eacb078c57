// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/routeur.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <optional>

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

std::vector<PCibleCommandes*> PRouteurCommandes::Chaine(QWidget* depart) const {
  // Each window answers once, on the first path that reaches it.
  std::vector<PCibleCommandes*> chaine;
  auto ajouter = [&chaine](QWidget* w) {
    auto* cible = dynamic_cast<PCibleCommandes*>(w);
    if (cible && std::find(chaine.begin(), chaine.end(), cible) == chaine.end())
      chaine.push_back(cible);
  };
  for (QWidget* w = depart ? depart : Depart(); w; w = w->parentWidget()) {
    auto* cible = dynamic_cast<PCibleCommandes*>(w);
    if (!cible) continue;
    // Reached from outside what it hosts: the hosted side first, up to this window.
    if (QWidget* interieur = cible->DepartInterieur()) {
      for (QWidget* v = interieur; v && v != w; v = v->parentWidget())
        ajouter(v);
    }
    ajouter(w);
  }
  if (application_) chaine.push_back(application_);
  return chaine;
}

namespace {

PCibleCommandes* PremiereQuiTraite(const std::vector<PCibleCommandes*>& chaine, int id) {
  for (PCibleCommandes* cible : chaine) {
    if (cible->TraiteCommande(id)) return cible;
  }
  return nullptr;
}

bool ActiveSur(const std::vector<PCibleCommandes*>& chaine, int id) {
  PCibleCommandes* cible = PremiereQuiTraite(chaine, id);
  return cible && cible->ReglerActivation(id).value_or(true);
}

}  // namespace

PCibleCommandes* PRouteurCommandes::Cible(int id, QWidget* depart) const {
  return PremiereQuiTraite(Chaine(depart), id);
}

bool PRouteurCommandes::EstActive(int id, QWidget* depart) const {
  if (CommandesVerrouillees()) return false;
  return ActiveSur(Chaine(depart), id);
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
  // Subscribers gone are dropped between passes: a rule may add subscribers (they wait for the
  // next pass, and a deque keeps the others where they are) or make a pass of its own.
  if (profondeur_ == 0)
    std::erase_if(abonnes_, [](const Abonne& a) { return a.proprietaire.isNull(); });
  ++profondeur_;
  const std::size_t nombre = abonnes_.size();
  const bool verrouillees = CommandesVerrouillees();
  // The chain is the same for every subscriber of the pass: walked once, when first needed.
  std::optional<std::vector<PCibleCommandes*>> chaine;
  // Subscribers of one window follow one another: its reach is settled once.
  const QWidget* modal = QApplication::activeModalWidget();
  const QWidget* derniereFenetre = nullptr;
  bool derniereHorsDAtteinte = false;
  for (std::size_t i = 0; i < nombre; ++i) {
    Abonne& a = abonnes_[i];
    if (a.proprietaire.isNull()) continue;
    if (verrouillees) {
      a.regler(false);
      continue;
    }
    const QWidget* fenetre = FenetreDe(a.proprietaire.data());
    if (fenetre != derniereFenetre || !fenetre) {
      derniereFenetre = fenetre;
      derniereHorsDAtteinte = HorsDAtteinte(fenetre, modal);
    }
    if (derniereHorsDAtteinte) continue;
    if (!chaine) chaine = Chaine(Depart());
    a.regler(ActiveSur(*chaine, a.id));
  }
  --profondeur_;
}

const QWidget* PRouteurCommandes::FenetreDe(const QObject* proprietaire) {
  for (const QObject* o = proprietaire; o; o = o->parent()) {
    if (const auto* widget = qobject_cast<const QWidget*>(o)) return widget->window();
  }
  return nullptr;
}

bool PRouteurCommandes::HorsDAtteinte(const QWidget* fenetre, const QWidget* modal) {
  if (!fenetre) return false;
  if (!fenetre->isEnabled()) return true;
  return modal && !EstDansOuPossedePar(fenetre, modal);
}

}  // namespace velquor
