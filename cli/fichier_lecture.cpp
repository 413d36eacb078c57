// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fichier_lecture.h"

#include <fstream>

namespace velquor::outils {

bool LireContenu(const std::string& chemin, std::string& contenu) {
  contenu.clear();
  if (systeme::EstDossier(chemin)) return false;
  // read() turns a failing read into a bad stream; an iterator over the buffer would let the
  // library's exception out.
  std::ifstream flux(systeme::CheminNatif(chemin), std::ios::binary);
  char tampon[1 << 16];
  while (flux.read(tampon, sizeof tampon) || flux.gcount() > 0)
    contenu.append(tampon, static_cast<std::size_t>(flux.gcount()));
  return flux.eof() && !flux.bad();
}

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
