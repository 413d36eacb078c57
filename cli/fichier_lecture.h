// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file opened for reading only, read at given offsets: the checks never write, and never open
// anything for writing.

#include <cstddef>
#include <cstdint>
#include <string>

#include "store/systeme_fichiers.h"

namespace velquor::outils {

// The whole content of a file the user names (an import file, a list of names): false when it
// cannot be opened or read to its end, a folder among them. Any file the system reads will do,
// a pipe too.
bool LireContenu(const std::string& chemin, std::string& contenu);

class FichierLecture {
 public:
  FichierLecture() = default;
  ~FichierLecture();
  FichierLecture(const FichierLecture&) = delete;
  FichierLecture& operator=(const FichierLecture&) = delete;

  bool Ouvrir(const std::string& chemin);
  bool Ouvert() const { return fd_ != systeme::Aucune; }
  std::int64_t Taille() const { return taille_; }
  // True only when all n bytes at offset came.
  bool LireA(std::int64_t offset, void* destination, std::size_t n) const;

 private:
  systeme::Poignee fd_ = systeme::Aucune;
  std::int64_t taille_ = 0;
};

}  // namespace velquor::outils
