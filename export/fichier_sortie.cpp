// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/fichier_sortie.h"

#include "store/systeme_fichiers.h"

namespace velquor {

bool FichierSortie::Creer(const std::string& chemin) {
  Fermer();
  chemin_ = chemin;
  octets_.clear();
  return provisoire_.CreerOuVider(chemin + ".tmp");
}

void FichierSortie::Ecrire(std::string_view octets) {
  if (Ouvert()) octets_.append(octets);
}

bool FichierSortie::Fermer() {
  if (!Ouvert()) return false;
  const std::string provisoire = chemin_ + ".tmp";
  bool ok = (octets_.empty() || provisoire_.EcrireA(0, octets_.data(), octets_.size())) &&
            provisoire_.Synchroniser();
  provisoire_.Fermer();  // renamed closed: an open file cannot be on Windows
  ok = ok && systeme::Renommer(provisoire, chemin_) && FichierBrut::SynchroniserDossierDe(chemin_);
  if (!ok) FichierBrut::Supprimer(provisoire);
  octets_ = {};
  return ok;
}

}  // namespace velquor
