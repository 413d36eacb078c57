#pragma once
// An export file: created or emptied, then written byte for byte (no text translation). Writing
// to a file that could not be created does nothing, and every failure, including a short write
// or a failed close, is remembered so that the export can say which files are incomplete.

#include <cstdio>
#include <string>
#include <string_view>

namespace velquor {

class FichierSortie {
 public:
  FichierSortie() = default;
  ~FichierSortie() { Fermer(); }
  FichierSortie(const FichierSortie&) = delete;
  FichierSortie& operator=(const FichierSortie&) = delete;

  // Creates the file, or empties it when it exists, for reading and writing.
  bool Creer(const std::string& chemin);
  bool Ouvert() const { return flux_ != nullptr; }
  void Ecrire(std::string_view octets);
  // Closes the file; true when it was open and every byte reached it.
  bool Fermer();

 private:
  std::FILE* flux_ = nullptr;
  bool enErreur_ = false;
};

}  // namespace velquor
