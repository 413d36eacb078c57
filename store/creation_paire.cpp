// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/creation_paire.h"

#include <chrono>
#include <cstdint>
#include <cstring>

#include "store/fichier_brut.h"

namespace velquor {

namespace {

// A creator holds the lock for a few system calls; a lone index locked longer is held by a
// program that had the pair open when its data file went away.
constexpr int DelaiCreationMs = 5000;

const unsigned char EnteteVide[8] = {};

// The data file with its header, created beside the locked index; removed again when the header
// cannot be written, so that no data file without a header is left. The new pair, both names and
// the header, reaches the disk before anything is written to it: no power cut leaves nodes
// beside a data file without its header, or an index alone.
bool CreerDonnees(const std::string& nomDonnees) {
  FichierBrut donnees;
  if (!donnees.CreerNeuf(nomDonnees)) return false;
  if (donnees.EcrireA(0, EnteteVide, sizeof EnteteVide) && donnees.Synchroniser() &&
      FichierBrut::SynchroniserDossierDe(nomDonnees))
    return true;
  donnees.Fermer();
  FichierBrut::Supprimer(nomDonnees);
  return false;
}

// An empty index beside no data file or an empty one (opened into donnees): what a creation
// leaves until the data file has its header.
bool VidesEtSeuls(const FichierBrut& index, const std::string& nomDonnees, FichierBrut& donnees) {
  donnees.Fermer();
  if (index.Taille() != 0) return false;
  if (donnees.OuvrirExistant(nomDonnees)) return donnees.Taille() == 0;
  return !FichierBrut::Existe(nomDonnees);
}

}  // namespace

bool CreerPaire(const std::string& nomIndex, const std::string& nomDonnees) {
  // A start may take the new index for a stopped creation between its creation and its lock, and
  // remove it: it is made again, for as long as the delay allows.
  const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(DelaiCreationMs);
  do {
    // A data file already there (the pair exists, or its data file stands alone) is never
    // created over.
    if (FichierBrut::Existe(nomDonnees)) return false;
    FichierBrut index;
    const bool cree = index.CreerNeuf(nomIndex);
    if (!cree && !index.OuvrirExistant(nomIndex)) {
      if (FichierBrut::Existe(nomIndex)) return false;  // there, but out of reach
      continue;                                         // removed meanwhile by a start
    }
    if (!index.VerrouillerAvecDelai(true, DelaiCreationMs)) return false;
    if (!index.EstToujours(nomIndex)) continue;  // a start took it for a stopped creation
    // Another program's creation, waited for, made the pair.
    if (!cree && FichierBrut::Existe(nomDonnees)) return true;
    // An index that holds anything is what is left of a pair whose data file is lost.
    if (index.Taille() != 0) return false;
    if (CreerDonnees(nomDonnees)) return true;
    if (cree) FichierBrut::Supprimer(nomIndex);
    return false;
  } while (std::chrono::steady_clock::now() < fin);
  return false;
}

// Where names keep no order (a file system without a journal: FAT, exFAT), a power cut may keep
// the new data file and lose the index made before it. A data file alone that holds at most a
// zero header holds no record: it goes too, when nobody holds it. No creation under way makes a
// data file without its index.
bool AbandonnerDonneesSeules(const std::string& nomIndex, const std::string& nomDonnees) {
  FichierBrut donnees;
  unsigned char entete[sizeof EnteteVide] = {};
  if (FichierBrut::Existe(nomIndex) || !donnees.OuvrirExistant(nomDonnees) ||
      donnees.Taille() > static_cast<std::int64_t>(sizeof entete) ||
      donnees.Lire(0, entete, sizeof entete) != donnees.Taille() ||
      std::memcmp(entete, EnteteVide, sizeof entete) != 0 ||
      !donnees.VerrouillerExclusifSansAttendre() || FichierBrut::Existe(nomIndex)) {
    return false;
  }
  return donnees.EstToujours(nomDonnees) && FichierBrut::Supprimer(nomDonnees);
}

bool AbandonnerCreationArretee(const std::string& nomIndex, const std::string& nomDonnees) {
  if (!FichierBrut::Existe(nomIndex)) return AbandonnerDonneesSeules(nomIndex, nomDonnees);
  FichierBrut index, donnees;
  // Looked at before the lock, so that a pair in use is never locked here, and again once the
  // lock is held: the creator may have ended in between.
  if (!index.OuvrirExistant(nomIndex) || !VidesEtSeuls(index, nomDonnees, donnees) ||
      !index.VerrouillerExclusifSansAttendre() || !index.EstToujours(nomIndex) ||
      !VidesEtSeuls(index, nomDonnees, donnees)) {
    return false;
  }
  // Only the files looked at: a program that removes a pair by hand and makes it again meanwhile
  // would put other files under these names.
  if (donnees.Ouvert() && !(donnees.EstToujours(nomDonnees) && index.EstToujours(nomIndex) &&
                            FichierBrut::Supprimer(nomDonnees))) {
    return false;
  }
  donnees.Fermer();
  return index.EstToujours(nomIndex) && FichierBrut::Supprimer(nomIndex);
}

}  // namespace velquor
