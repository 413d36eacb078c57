#include "framework/routeur.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace velquor {

PRouteurCommandes::PRouteurCommandes(QObject* parent) : QObject(parent) {}

QWidget* PRouteurCommandes::Depart() const {
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  if (fenetrePrincipale_) {
    if (QWidget* dernier = fenetrePrincipale_->focusWidget()) return dernier;
    return fenetrePrincipale_;
  }
  return nullptr;
}

PCibleCommandes* PRouteurCommandes::Cible(int id, QWidget* depart) const {
  std::vector<PCibleCommandes*> vues;
  for (QWidget* w = depart ? depart : Depart(); w; w = w->parentWidget()) {
    auto* cible = dynamic_cast<PCibleCommandes*>(w);
    if (!cible) continue;
    PCibleCommandes* cliente = cible->CibleCliente();
    if (cliente && std::find(vues.begin(), vues.end(), cliente) == vues.end() &&
        cliente->TraiteCommande(id))
      return cliente;
    if (cible->TraiteCommande(id)) return cible;
    vues.push_back(cible);
  }
  if (application_ && application_->TraiteCommande(id)) return application_;
  return nullptr;
}

bool PRouteurCommandes::EstActive(int id, QWidget* depart) const {
  PCibleCommandes* cible = Cible(id, depart);
  return cible && cible->ReglerActivation(id).value_or(true);
}

bool PRouteurCommandes::Envoyer(int id, QWidget* depart) {
  PCibleCommandes* cible = Cible(id, depart);
  bool execute = cible && cible->ReglerActivation(id).value_or(true);
  if (execute) {
    cible->ExecuteCommande(id);
    emit commandeExecutee(id);
  }
  PasseInactive();
  return execute;
}

void PRouteurCommandes::Poster(int id) {
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
