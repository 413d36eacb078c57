// SPDX-License-Identifier: GPL-3.0-or-later
// The search: which cocktails the three kinds of criteria select (the run over the files, what
// lands in RESURECH and the selection files: tests/cli/cas/rechercher.cas; its questions,
// progress and stop: dialogues_test.cpp).

#include <gtest/gtest.h>

#include <cstring>

#include "search/recherche.h"
#include "trace_crochets.h"

namespace velquor {
namespace {

using test::Enregistrement;
using Noms = std::vector<std::string>;

CriteresRecherche ParNom(std::string chaine, ModeNom sens = NomContient) {
  return {.SensNom = sens, .Chaine = std::move(chaine)};
}

CriteresRecherche ParFamille(Noms familles, ModeFamille sens) {
  return {.TypeRecherche = RechercheFamille, .SensFamille = sens, .FamillesChoisies = familles};
}

CriteresRecherche ParIngredients(Noms ingredients, ModeIngredients sens) {
  return {.TypeRecherche = RechercheIngredients,
          .SensIngredients = sens,
          .IngredientsChoisis = std::move(ingredients)};
}

// Each case is tried in both senses: "does not contain" selects exactly the others.
TEST(Correspond, ParNomSousChaineSensibleALaCasse) {
  struct Cas {
    std::string chaine, nom;
    bool contient;
  };
  const Cas cas[] = {
      {"GIN", "Gin Fizz", false},
      {"GIN", "GIN FIZZ", true},
      {"GIN", "VIRGIN", true},
      {std::string(40, 'A'), std::string(40, 'A'), false},  // longer than any stored name
  };
  for (const Cas& c : cas) {
    const auto enr = Enregistrement({.nom = c.nom});
    EXPECT_EQ(Correspond(ParNom(c.chaine, NomContient), enr), c.contient) << c.nom;
    EXPECT_EQ(Correspond(ParNom(c.chaine, NomNeContientPas), enr), !c.contient) << c.nom;
  }
}

TEST(Correspond, ParFamilleExacteEtSensibleALaCasse) {
  struct Cas {
    Noms choisies;
    std::string famille;
    bool choisie;
  };
  const Cas cas[] = {
      {{"SOURS", "TIKI"}, "TIKI", true},
      {{"SOURS", "TIKI"}, "Tiki", false},
      {{"SOURS", "TIKI"}, "SOUR", false},
      // A chosen empty name does not make the cocktails without family "chosen".
      {{""}, "", false},
  };
  for (const Cas& c : cas) {
    const auto enr = Enregistrement({.famille = c.famille});
    EXPECT_EQ(Correspond(ParFamille(c.choisies, FamilleSelectionnee), enr), c.choisie) << c.famille;
    EXPECT_EQ(Correspond(ParFamille(c.choisies, FamilleNonSelectionnee), enr), !c.choisie);
  }
}

TEST(Correspond, ParIngredientsLesTroisModes) {
  struct Cas {
    Noms ingredients;
    bool tous, auMoinsUn, aucun;
  };
  const Cas cas[] = {
      {{"GIN", "CITRON"}, true, true, false},
      {{"GIN", "CITRON", "SUCRE"}, false, true, false},
      {{"SUCRE", "Gin"}, false, false, true},
      // Empty slots between the rows are not ingredients; a name in two rows counts twice.
      {{"", "GIN", "", "", "GIN", "", "", "", "", "CITRON"}, true, true, false},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(::testing::PrintToString(c.ingredients));
    const auto enr = Enregistrement({.ingredients = c.ingredients});
    const Noms choisis = {"GIN", "CITRON"};  // not in name order
    EXPECT_EQ(Correspond(ParIngredients(choisis, TousChoisis), enr), c.tous);
    EXPECT_EQ(Correspond(ParIngredients(choisis, AuMoinsUnChoisi), enr), c.auMoinsUn);
    EXPECT_EQ(Correspond(ParIngredients(choisis, AucunChoisi), enr), c.aucun);
  }
}

TEST(Correspond, ChampsSansTerminateur) {
  // A damaged record: no field holds a terminator, each is read within its own bytes.
  EnrCocktail enr{};
  std::memset(&enr, 'G', sizeof enr);
  std::memset(enr.Quantite[0], 'X', sizeof enr.Quantite[0]);  // just after the name
  const std::string plein(31, 'G');
  EXPECT_TRUE(Correspond(ParNom(plein), enr));
  EXPECT_FALSE(Correspond(ParNom("GX"), enr));
  EXPECT_TRUE(Correspond(ParIngredients({plein}, TousChoisis), enr));
  EXPECT_FALSE(Correspond(ParIngredients({std::string(30, 'G')}, AuMoinsUnChoisi), enr));
  EXPECT_TRUE(Correspond(ParFamille({plein}, FamilleSelectionnee), enr));
}

}  // namespace
}  // namespace velquor
