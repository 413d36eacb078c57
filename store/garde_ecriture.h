// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Write access to a pair for the length of one store operation: the pair's write lock (shared
// with the lot the operation runs in, if any), and, outside a lot, the undoing of what the
// operation wrote when it does not end well.

#include "store/etat_paire.h"

namespace velquor {

class GardeEcriture {
 public:
  explicit GardeEcriture(EtatPaire* etat) : etat_(etat && etat->DebutEcriture() ? etat : nullptr) {}
  ~GardeEcriture() {
    if (etat_) etat_->FinEcriture(reussie_);
  }
  GardeEcriture(const GardeEcriture&) = delete;
  GardeEcriture& operator=(const GardeEcriture&) = delete;

  explicit operator bool() const { return etat_ != nullptr; }
  // The operation's result, which says whether its writes stay.
  bool Fin(bool reussie) {
    reussie_ = reussie;
    return reussie;
  }

 private:
  EtatPaire* etat_;
  bool reussie_ = false;
};

}  // namespace velquor
