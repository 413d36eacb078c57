// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/commandes.h"

namespace velquor {

void TableCommandes::Ajouter(int id, Action action, Regle regle) {
  entrees_[id] = Entree{std::move(action), std::move(regle)};
}

void TableCommandes::Retirer(int id) {
  entrees_.erase(id);
}

bool TableCommandes::Executer(int id) const {
  auto it = entrees_.find(id);
  if (it == entrees_.end()) return false;
  // A copy: the handler may replace or remove its own entry while it runs.
  Action action = it->second.action;
  if (action) action();
  return true;
}

std::optional<bool> TableCommandes::Activation(int id) const {
  auto it = entrees_.find(id);
  if (it == entrees_.end() || !it->second.regle) return std::nullopt;
  return it->second.regle();
}

}  // namespace velquor
