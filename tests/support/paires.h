// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers over the collections of the current directory: create and open, add by name,
// read the names back, and the tree of an index file as it lies on disk.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/champ_texte.h"
#include "store/noeud_index.h"

namespace velquor::test {

template <class F>
bool CreerOuvrir(F& f) {
  return f.Creer() && f.Ouvrir();
}

// Adds a record holding only its name (and the comment, for the collections that have one).
template <class F>
bool AjouterNom(F& f, std::string_view nom, std::string_view commentaire = {}) {
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  if constexpr (requires { f.Enreg.Commentaire; }) {
    if (!commentaire.empty()) CopierTexte(f.Enreg.Commentaire, commentaire);
  }
  return f.Ajouter(nom);
}

// The names of the records, walked forwards (or backwards, given back in name order); a walk
// that does not end within 1000 names fails the test.
template <class F>
std::vector<std::string> Noms(F& f, bool arriere = false) {
  std::vector<std::string> noms;
  for (bool ok = arriere ? f.Dernier() : f.Premier(); ok;
       ok = arriere ? f.Precedent() : f.Suivant()) {
    noms.emplace_back(Texte(f.Enreg.Nom));
    if (noms.size() > 1000) {
      ADD_FAILURE() << "the walk does not end";
      break;
    }
  }
  if (arriere) return {noms.rbegin(), noms.rend()};
  return noms;
}

// A node as the index file holds it.
struct Noeud {
  std::string cle;
  std::int32_t pos_enreg, pere, gauche, droite;
  bool operator==(const Noeud&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Noeud& n);

// Every node of an index file, the dead ones too.
std::vector<Noeud> NoeudsDe(const std::filesystem::path& index);

// What is wrong with the tree of an index file, given the data file's live count: every child
// names its parent back, names come in strictly increasing order, the count matches. Empty when
// sound.
std::string DefautDeLArbre(const std::filesystem::path& index, std::int32_t nbEnreg);

}  // namespace velquor::test
