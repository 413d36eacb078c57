#include "store/lot_fichier.h"

#include <algorithm>

#include "store/etat_paire.h"
#include "store/pfichier.h"

namespace velquor {

LotFichier::LotFichier(PFichier& fichier, Usage usage) : etat_(fichier.etat_) {
  if (etat_) etat_->DebutLot(usage == Usage::Ecriture);
}

bool LotFichier::Terminer() {
  if (!etat_) return true;
  const bool ok = etat_->FinLot();
  etat_.reset();
  return ok;
}

LotGroupe::LotGroupe(const std::vector<PFichier*>& fichiers) {
  for (PFichier* f : fichiers) {
    if (f->etat_ && std::find(etats_.begin(), etats_.end(), f->etat_) == etats_.end())
      etats_.push_back(f->etat_);
  }
  // Always in the same order, so that two groups never wait on each other's locks.
  std::sort(etats_.begin(), etats_.end(),
            [](const auto& a, const auto& b) { return a->CheminJournal() < b->CheminJournal(); });
  for (const auto& etat : etats_)
    etat->DebutLot(true);
}

void LotGroupe::Abandonner() {
  for (const auto& etat : etats_)
    etat->AbandonnerLot();
  etats_.clear();
}

bool LotGroupe::Terminer() {
  if (etats_.empty()) return true;
  std::vector<EtatPaire*> aEcrire;
  bool ok = true;
  for (const auto& etat : etats_) {
    if (etat->QuitterLotSansEcrire()) aEcrire.push_back(etat.get());
  }
  ok = EtatPaire::EcrireLots(aEcrire);
  etats_.clear();
  return ok;
}

}  // namespace velquor
