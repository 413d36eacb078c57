#pragma once
// Fills the collections of the current directory for the export tests. Texts are code page
// 1252 bytes.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor::test {

// Composition rows in their slots; a slot left out of the list stays empty.
struct LigneExemple {
  int place;
  std::string quantite;
  std::string ingredient;
};

inline void AjouterCocktail(std::string_view nom, std::string_view famille,
                            const std::vector<LigneExemple>& lignes,
                            std::string_view remarques = "") {
  FicCocktail f;
  ASSERT_TRUE(f.Ouvrir() || (f.Creer() && f.Ouvrir()));
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  CopierTexte(f.Enreg.Famille, famille);
  for (const auto& l : lignes) {
    CopierTexte(f.Enreg.Quantite[l.place], l.quantite);
    CopierTexte(f.Enreg.Ingredient[l.place], l.ingredient);
  }
  CopierTexte(f.Enreg.Remarques, remarques);
  ASSERT_TRUE(f.Ajouter(nom)) << nom;
}

inline void AjouterFamille(std::string_view nom, std::string_view commentaire = "") {
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir() || (f.Creer() && f.Ouvrir()));
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  CopierTexte(f.Enreg.Commentaire, commentaire);
  ASSERT_TRUE(f.Ajouter(nom)) << nom;
}

inline void AjouterIngredient(std::string_view nom, bool alcool,
                              std::string_view commentaire = "") {
  FicIngredient f;
  ASSERT_TRUE(f.Ouvrir() || (f.Creer() && f.Ouvrir()));
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  f.Enreg.Alcool = alcool ? 1 : 0;
  CopierTexte(f.Enreg.Commentaire, commentaire);
  ASSERT_TRUE(f.Ajouter(nom)) << nom;
}

inline std::string LireTexte(const std::string& chemin) {
  auto octets = LireOctets(chemin);
  return std::string(octets.begin(), octets.end());
}

}  // namespace velquor::test
