#include "export/fichier_sortie.h"

namespace velquor {

bool FichierSortie::Creer(const std::string& chemin) {
  Fermer();
  flux_ = std::fopen(chemin.c_str(), "w+b");
  enErreur_ = false;
  return Ouvert();
}

void FichierSortie::Ecrire(std::string_view octets) {
  if (!Ouvert() || octets.empty()) return;
  if (std::fwrite(octets.data(), 1, octets.size(), flux_) != octets.size()) enErreur_ = true;
}

bool FichierSortie::Fermer() {
  if (!Ouvert()) return false;
  bool ferme = std::fclose(flux_) == 0;
  flux_ = nullptr;
  return ferme && !enErreur_;
}

}  // namespace velquor
