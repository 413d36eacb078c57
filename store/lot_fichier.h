// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A lot groups many operations on one open pair — a search run, a consistency pass, an export,
// the filling of a list — so that they run from memory: the header is read once when the lot
// begins, records are read from a copy of the data file, and what the operations write is kept
// and written out when the lot ends, all of it or none (see etat_paire.h). Every object of this
// process that has the pair open sees the lot's changes at once; other programs see them when
// it ends.

#include <memory>
#include <string>
#include <vector>

namespace velquor {

class EtatPaire;
class PFichier;

class LotFichier {
 public:
  enum class Usage {
    Lecture,  // takes the write lock only at its first write, if it writes
    Ecriture  // takes it at once: what it reads cannot change before it writes
  };
  // Begins a lot on the pair of an open collection; on a closed one it does nothing.
  explicit LotFichier(PFichier& fichier, Usage usage = Usage::Lecture);
  ~LotFichier() { Terminer(); }
  LotFichier(const LotFichier&) = delete;
  LotFichier& operator=(const LotFichier&) = delete;

  // Writes out what the lot kept (once); false when it could not be written, the files being
  // then as they were before the lot.
  bool Terminer();

 private:
  std::shared_ptr<EtatPaire> etat_;
};

// Writing lots on several pairs that land together or not at all (an import adds families,
// ingredients and cocktails): when one pair cannot be written, none is changed.
class LotGroupe {
 public:
  explicit LotGroupe(const std::vector<PFichier*>& fichiers);
  ~LotGroupe() { Terminer(); }
  LotGroupe(const LotGroupe&) = delete;
  LotGroupe& operator=(const LotGroupe&) = delete;

  bool Terminer();
  // Drops every change the lots kept: no pair is written.
  void Abandonner();

 private:
  std::vector<std::shared_ptr<EtatPaire>> etats_;
  std::string cheminGroupe_;
};

}  // namespace velquor
