#include "cli/fichier_lecture.h"

namespace velquor::outils {

FichierLecture::~FichierLecture() {
  systeme::Fermer(fd_);
}

bool FichierLecture::Ouvrir(const std::string& chemin) {
  if (Ouvert()) return false;
  fd_ = systeme::Ouvrir(chemin, systeme::Mode::Lecture);
  if (!Ouvert()) return false;
  long long modification;
  if (!systeme::EstFichierOrdinaire(fd_) || !systeme::TailleEtDate(fd_, taille_, modification)) {
    systeme::Fermer(fd_);
    fd_ = systeme::Aucune;
    return false;
  }
  return true;
}

bool FichierLecture::LireA(std::int64_t offset, void* destination, std::size_t n) const {
  if (!Ouvert() || offset < 0) return false;
  return systeme::LireA(fd_, offset, destination, n) == static_cast<std::int64_t>(n);
}

}  // namespace velquor::outils
