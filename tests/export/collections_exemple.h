#pragma once
// Fills the collections of the current directory for the export tests. Texts are code page
// 1252 bytes.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/execution.h"

namespace velquor::test {

// Composition rows in their slots; a slot left out of the list stays empty.
struct LigneExemple {
  int place;
  std::string quantite;
  std::string ingredient;
};

// Adds one record to the collection, created when missing; `remplir` fills the record after its
// name.
template <class Collection, class Remplir>
void AjouterExemple(std::string_view nom, Remplir remplir) {
  Collection f;
  ASSERT_TRUE(f.Ouvrir() || (f.Creer() && f.Ouvrir()));
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  remplir(f.Enreg);
  ASSERT_TRUE(f.Ajouter(nom)) << nom;
}

inline void AjouterCocktail(std::string_view nom, std::string_view famille,
                            const std::vector<LigneExemple>& lignes,
                            std::string_view remarques = "") {
  AjouterExemple<FicCocktail>(nom, [&](EnrCocktail& e) {
    CopierTexte(e.Famille, famille);
    for (const auto& l : lignes) {
      CopierTexte(e.Quantite[l.place], l.quantite);
      CopierTexte(e.Ingredient[l.place], l.ingredient);
    }
    CopierTexte(e.Remarques, remarques);
  });
}

}  // namespace velquor::test
