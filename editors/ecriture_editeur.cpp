// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/ecriture_editeur.h"

#include <vector>

namespace velquor {

EcritureEditeur::EcritureEditeur(PFichier& collection, bool avecCocktails) {
  std::vector<PFichier*> fichiers{&collection};
  // The pass never creates the cocktails: only a pair that is there joins.
  if (avecCocktails && cocktails_.Ouvrir()) fichiers.push_back(&cocktails_);
  groupe_.emplace(fichiers);
}

bool EcritureEditeur::Terminer() {
  if (!groupe_) return true;
  const bool ok = groupe_->Terminer();
  groupe_.reset();
  return ok;
}

}  // namespace velquor
