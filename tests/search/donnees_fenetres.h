#pragma once
// Collections for the search windows' tests: families, ingredients (with their alcohol flag and
// comment) and cocktails (trace_crochets.h), created in the test's own directory.

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

#include "framework/liste.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "trace_crochets.h"

namespace velquor::test {

struct Ingredient {
  std::string nom;
  bool alcool = false;
  std::string commentaire{};
};

inline void CreerFamilles(const std::vector<std::string>& noms) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  for (const auto& nom : noms) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, nom);
    ASSERT_TRUE(f.Ajouter(nom)) << nom;
  }
}

inline void CreerIngredients(const std::vector<Ingredient>& ingredients) {
  FicIngredient f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  for (const auto& i : ingredients) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, i.nom);
    f.Enreg.Alcool = i.alcool ? 1 : 0;
    CopierTexte(f.Enreg.Commentaire, i.commentaire);
    ASSERT_TRUE(f.Ajouter(i.nom)) << i.nom;
  }
}

inline void CreerCocktailsListe(const std::vector<Cocktail>& cocktails) {
  FicCocktail f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  for (const auto& c : cocktails) {
    f.Enreg = Enregistrement(c);
    ASSERT_TRUE(f.Ajouter(c.nom)) << c.nom;
  }
}

// The entries of a list, in display order.
inline std::vector<std::string> Entrees(const PListe& liste) {
  std::vector<std::string> entrees;
  for (int i = 0; i < liste.NbElements(); ++i)
    entrees.push_back(liste.Chaine(i));
  return entrees;
}

// The selected entry's text, or "(aucune)".
inline std::string Selectionnee(const PListe& liste) {
  const int i = liste.IndexSelection();
  return i < 0 ? std::string("(aucune)") : liste.Chaine(i);
}

}  // namespace velquor::test
