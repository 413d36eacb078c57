// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/paires.h"

#include <filesystem>

#include "cli/console.h"

namespace velquor::outils {

EtatPaire EtatDePaire(std::string_view base) {
  std::error_code erreur;
  bool index = std::filesystem::exists(std::string(base) + ".NDX", erreur);
  bool donnees = std::filesystem::exists(std::string(base) + ".DAT", erreur);
  if (index && donnees) return EtatPaire::Presente;
  return index || donnees ? EtatPaire::Incomplete : EtatPaire::Absente;
}

std::string TexteSansPaire(std::string_view base, std::string_view pluriel, EtatPaire etat) {
  std::string ndx = std::string(base) + ".NDX";
  std::string dat = std::string(base) + ".DAT";
  if (etat == EtatPaire::Incomplete) {
    std::string absent = std::filesystem::exists(ndx) ? dat : ndx;
    return "fichier des " + std::string(pluriel) + " incomplet : " + absent + " est absent";
  }
  return "aucun fichier des " + std::string(pluriel) + " (" + ndx + ", " + dat +
         ") dans ce dossier";
}

bool PaireLisible(std::string_view titre, std::string_view base, std::string_view pluriel) {
  if (EtatPaire etat = EtatDePaire(base); etat != EtatPaire::Presente) {
    DireErreur(std::string(titre) + " : " + TexteSansPaire(base, pluriel, etat));
    return false;
  }
  std::error_code erreur;
  const std::string donnees = std::string(base) + ".DAT";
  if (const auto taille = std::filesystem::file_size(donnees, erreur); !erreur && taille < 8) {
    DireErreur(std::string(titre) + " : " + donnees + " n'a pas son en-tête (" +
               std::to_string(taille) +
               " octets) : rien n'a été fait ; velquor-outils verifier dit ce qu'il en est");
    return false;
  }
  return true;
}

}  // namespace velquor::outils
