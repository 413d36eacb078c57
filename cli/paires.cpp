#include "cli/paires.h"

#include <filesystem>

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

}  // namespace velquor::outils
