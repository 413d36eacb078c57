#include "store/lot_fichier.h"

#include "store/etat_paire.h"
#include "store/pfichier.h"

namespace velquor {

LotFichier::LotFichier(PFichier& fichier) : etat_(fichier.etat_) {
  if (etat_) etat_->DebutLot();
}

bool LotFichier::Terminer() {
  if (!etat_) return true;
  const bool ok = etat_->FinLot();
  etat_.reset();
  return ok;
}

}  // namespace velquor
