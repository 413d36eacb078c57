// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/lot_fichier.h"

#include <algorithm>

#include "store/etat_paire.h"
#include "store/fichier_brut.h"
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
  std::vector<EtatPaire*> etats;
  for (const auto& etat : etats_)
    etats.push_back(etat.get());
  // The group file goes first: the journals name it. Without it, the lots keep what they write
  // in memory until they land.
  cheminGroupe_ = etats.size() > 1 ? EtatPaire::CreerGroupe(etats) : std::string();
  const std::string nom = cheminGroupe_.substr(cheminGroupe_.rfind('/') + 1);
  for (const auto& etat : etats_)
    etat->DebutLot(true, cheminGroupe_.empty() ? std::string() : nom,
                   etats.size() == 1 || !cheminGroupe_.empty());
}

void LotGroupe::Abandonner() {
  bool remis = true;
  for (const auto& etat : etats_)
    remis = etat->AbandonnerLot() && remis;
  if (remis && !cheminGroupe_.empty()) FichierBrut::Supprimer(cheminGroupe_);
  etats_.clear();
}

bool LotGroupe::Terminer() {
  if (etats_.empty()) return true;
  std::vector<EtatPaire*> aEcrire;
  for (const auto& etat : etats_) {
    if (etat->QuitterLotSansEcrire()) aEcrire.push_back(etat.get());
  }
  const bool ok = EtatPaire::EcrireLots(aEcrire);
  etats_.clear();
  return ok;
}

}  // namespace velquor
