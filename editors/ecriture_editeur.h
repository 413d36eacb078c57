// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One command of an editor written as one: the change of the edited collection (a save, an
// addition, a copy, a rename, a deletion) and, for a rename or a deletion, the consistency pass
// it starts over the cocktails, land together and flushed to the disk, or not at all, whatever
// stops the program (a kill, a power cut, a full disk). The store operations alone would reach
// the files write by write, as the old program wrote them, and a stop between the deletion of an
// ingredient and the pass would leave cocktails naming an ingredient that is gone.
//
// It lives from after the command's dialogs (it holds the pairs' write lock) to the end of its
// writes; the pass, run inside it, is part of the same lot.

#include <optional>

#include "store/collections.h"
#include "store/lot_fichier.h"

namespace velquor {

class EcritureEditeur {
 public:
  // avecCocktails: the command runs a consistency pass over the cocktails.
  EcritureEditeur(PFichier& collection, bool avecCocktails);
  ~EcritureEditeur() { Terminer(); }
  EcritureEditeur(const EcritureEditeur&) = delete;
  EcritureEditeur& operator=(const EcritureEditeur&) = delete;

  // Writes out the command's changes; false when they could not be (the files are then as they
  // were before the command).
  bool Terminer();

 private:
  FicCocktail cocktails_;
  std::optional<LotGroupe> groupe_;
};

}  // namespace velquor
