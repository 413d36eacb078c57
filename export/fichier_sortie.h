// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An export file: its bytes gathered, then written beside it, flushed and renamed over it when
// it is closed, so that a stop or a power cut at any instant leaves the former file or the new
// one, whole. No text translation. Writing to a file that could not be created does nothing;
// every failure (the file beside it not created, a short write, a failed flush or rename) is
// remembered, so that the export can say which files kept their former content.

#include <string>
#include <string_view>

#include "store/fichier_brut.h"

namespace velquor {

class FichierSortie {
 public:
  FichierSortie() = default;
  ~FichierSortie() { Fermer(); }
  FichierSortie(const FichierSortie&) = delete;
  FichierSortie& operator=(const FichierSortie&) = delete;

  // Begins the file's new content; false when the file beside it cannot be created.
  bool Creer(const std::string& chemin);
  bool Ouvert() const { return provisoire_.Ouvert(); }
  void Ecrire(std::string_view octets);
  // Puts the new content in place; true when it was open and every byte reached the disk.
  bool Fermer();

 private:
  std::string chemin_;
  std::string octets_;
  FichierBrut provisoire_;
};

}  // namespace velquor
