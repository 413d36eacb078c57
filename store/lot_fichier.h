#pragma once
// A lot groups many operations on one open pair — a search run, a consistency pass, an export,
// the filling of a list — so that they run from memory: the header is read once when the lot
// begins, records are read from a copy of the data file, and what the operations write is kept
// and written out when the lot ends (see etat_paire.h). Every object of this process that has
// the pair open sees the lot's changes at once; other programs see them when it ends.

#include <memory>

namespace velquor {

class EtatPaire;
class PFichier;

class LotFichier {
 public:
  // Begins a lot on the pair of an open collection; on a closed one it does nothing.
  explicit LotFichier(PFichier& fichier);
  ~LotFichier() { Terminer(); }
  LotFichier(const LotFichier&) = delete;
  LotFichier& operator=(const LotFichier&) = delete;

  // Writes out what the lot kept (once); false when a write failed.
  bool Terminer();

 private:
  std::shared_ptr<EtatPaire> etat_;
};

}  // namespace velquor
