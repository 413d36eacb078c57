// Which cocktails the three kinds of criteria select.

#include <gtest/gtest.h>

#include <cstring>

#include "search/recherche.h"
#include "trace_crochets.h"

namespace velquor {
namespace {

using test::Cocktail;
using test::Enregistrement;

CriteresRecherche ParNom(std::string chaine, ModeNom sens) {
  CriteresRecherche c;
  c.TypeRecherche = RechercheNom;
  c.Chaine = std::move(chaine);
  c.SensNom = sens;
  return c;
}

CriteresRecherche ParFamille(std::vector<std::string> familles, ModeFamille sens) {
  CriteresRecherche c;
  c.TypeRecherche = RechercheFamille;
  c.FamillesChoisies = std::move(familles);
  c.SensFamille = sens;
  return c;
}

CriteresRecherche ParIngredients(std::vector<std::string> ingredients, ModeIngredients sens) {
  CriteresRecherche c;
  c.TypeRecherche = RechercheIngredients;
  c.IngredientsChoisis = std::move(ingredients);
  c.SensIngredients = sens;
  return c;
}

TEST(CorrespondNom, SousChaineSensibleALaCasse) {
  auto gin = ParNom("GIN", NomContient);
  EXPECT_FALSE(Correspond(gin, Enregistrement({.nom = "Gin Fizz"})));
  EXPECT_TRUE(Correspond(gin, Enregistrement({.nom = "GIN FIZZ"})));
  EXPECT_TRUE(Correspond(gin, Enregistrement({.nom = "VIRGIN"})));
  EXPECT_FALSE(Correspond(gin, Enregistrement({.nom = "GI"})));

  auto sansGin = ParNom("GIN", NomNeContientPas);
  EXPECT_TRUE(Correspond(sansGin, Enregistrement({.nom = "Gin Fizz"})));
  EXPECT_FALSE(Correspond(sansGin, Enregistrement({.nom = "VIRGIN"})));
}

TEST(CorrespondNom, ChaineVideEtChaineTropLongue) {
  EXPECT_TRUE(Correspond(ParNom("", NomContient), Enregistrement({.nom = "MOJITO"})));
  EXPECT_TRUE(Correspond(ParNom("", NomContient), Enregistrement({})));
  EXPECT_FALSE(Correspond(ParNom("", NomNeContientPas), Enregistrement({.nom = "MOJITO"})));

  // Longer than any stored name: in no name, so "does not contain" selects them all.
  std::string longue(40, 'A');
  auto enr = Enregistrement({.nom = std::string(30, 'A')});
  EXPECT_FALSE(Correspond(ParNom(longue, NomContient), enr));
  EXPECT_TRUE(Correspond(ParNom(longue, NomNeContientPas), enr));
}

TEST(CorrespondFamille, ExacteEtSensibleALaCasse) {
  auto choisies = ParFamille({"SOURS", "TIKI"}, FamilleSelectionnee);
  EXPECT_TRUE(Correspond(choisies, Enregistrement({.famille = "TIKI"})));
  EXPECT_FALSE(Correspond(choisies, Enregistrement({.famille = "Tiki"})));
  EXPECT_FALSE(Correspond(choisies, Enregistrement({.famille = "TIKI "})));
  EXPECT_FALSE(Correspond(choisies, Enregistrement({.famille = "SOUR"})));
  EXPECT_FALSE(Correspond(choisies, Enregistrement({})));

  auto autres = ParFamille({"SOURS", "TIKI"}, FamilleNonSelectionnee);
  EXPECT_FALSE(Correspond(autres, Enregistrement({.famille = "SOURS"})));
  EXPECT_TRUE(Correspond(autres, Enregistrement({.famille = "FIZZ"})));
  EXPECT_TRUE(Correspond(autres, Enregistrement({})));
}

TEST(CorrespondFamille, AucuneFamilleChoisie) {
  for (const char* famille : {"TIKI", ""}) {
    auto enr = Enregistrement({.famille = famille});
    EXPECT_FALSE(Correspond(ParFamille({}, FamilleSelectionnee), enr)) << famille;
    EXPECT_TRUE(Correspond(ParFamille({}, FamilleNonSelectionnee), enr)) << famille;
  }
  // A chosen empty name does not make the cocktails without family "chosen".
  EXPECT_FALSE(Correspond(ParFamille({""}, FamilleSelectionnee), Enregistrement({})));
}

TEST(CorrespondIngredients, LesTroisModes) {
  const auto ginCitron = Enregistrement({.ingredients = {"GIN", "CITRON"}});
  const auto ginSeul = Enregistrement({.ingredients = {"GIN"}});
  const auto ginCitronSucre = Enregistrement({.ingredients = {"GIN", "CITRON", "SUCRE"}});
  const auto sucre = Enregistrement({.ingredients = {"SUCRE"}});
  const std::vector<std::string> choisis = {"GIN", "CITRON"};

  auto tous = ParIngredients(choisis, TousChoisis);
  EXPECT_TRUE(Correspond(tous, ginCitron));
  EXPECT_TRUE(Correspond(tous, ginSeul));
  EXPECT_FALSE(Correspond(tous, ginCitronSucre));
  EXPECT_FALSE(Correspond(tous, sucre));

  auto auMoinsUn = ParIngredients(choisis, AuMoinsUnChoisi);
  EXPECT_TRUE(Correspond(auMoinsUn, ginCitron));
  EXPECT_TRUE(Correspond(auMoinsUn, ginSeul));
  EXPECT_TRUE(Correspond(auMoinsUn, ginCitronSucre));
  EXPECT_FALSE(Correspond(auMoinsUn, sucre));

  auto aucun = ParIngredients(choisis, AucunChoisi);
  EXPECT_FALSE(Correspond(aucun, ginCitron));
  EXPECT_FALSE(Correspond(aucun, ginSeul));
  EXPECT_FALSE(Correspond(aucun, ginCitronSucre));
  EXPECT_TRUE(Correspond(aucun, sucre));
}

TEST(CorrespondIngredients, CasesVidesDoublesEtCasse) {
  // Empty slots between the rows are not ingredients; a name in two rows counts twice.
  auto espace =
      Enregistrement({.ingredients = {"", "GIN", "", "", "GIN", "", "", "", "", "CITRON"}});
  EXPECT_TRUE(Correspond(ParIngredients({"GIN", "CITRON"}, TousChoisis), espace));
  EXPECT_FALSE(Correspond(ParIngredients({"GIN"}, TousChoisis), espace));
  EXPECT_TRUE(Correspond(ParIngredients({"GIN"}, AuMoinsUnChoisi), espace));

  auto casse = Enregistrement({.ingredients = {"Gin"}});
  EXPECT_FALSE(Correspond(ParIngredients({"GIN"}, AuMoinsUnChoisi), casse));
  EXPECT_TRUE(Correspond(ParIngredients({"GIN"}, AucunChoisi), casse));
}

TEST(CorrespondIngredients, SansIngredientOuSansChoix) {
  const auto vide = Enregistrement({.nom = "EAU"});
  EXPECT_TRUE(Correspond(ParIngredients({"GIN"}, AucunChoisi), vide));
  EXPECT_FALSE(Correspond(ParIngredients({"GIN"}, TousChoisis), vide));
  EXPECT_FALSE(Correspond(ParIngredients({"GIN"}, AuMoinsUnChoisi), vide));

  const auto gin = Enregistrement({.ingredients = {"GIN"}});
  EXPECT_TRUE(Correspond(ParIngredients({}, AucunChoisi), gin));
  EXPECT_FALSE(Correspond(ParIngredients({}, TousChoisis), gin));
  EXPECT_FALSE(Correspond(ParIngredients({}, AuMoinsUnChoisi), gin));
}

TEST(CorrespondIngredients, TypeInconnuEstUneRechercheParIngredients) {
  auto c = ParIngredients({"GIN"}, AuMoinsUnChoisi);
  c.Chaine = "ZZZ";
  c.SensNom = NomContient;
  const auto gin = Enregistrement({.nom = "GIN TONIC", .ingredients = {"GIN"}});
  for (int type : {0, 3, 4, -1}) {
    c.TypeRecherche = type;
    EXPECT_TRUE(Correspond(c, gin)) << type;
  }
  c.TypeRecherche = RechercheNom;
  EXPECT_FALSE(Correspond(c, gin));
}

TEST(Correspond, ChampsSansTerminateur) {
  // A damaged record: no field holds a terminator, each is read within its own bytes.
  EnrCocktail enr{};
  std::memset(&enr, 'G', sizeof enr);
  std::memset(enr.Quantite[0], 'X', sizeof enr.Quantite[0]);  // just after the name
  const std::string plein(31, 'G');
  EXPECT_TRUE(Correspond(ParNom(plein, NomContient), enr));
  EXPECT_FALSE(Correspond(ParNom("GX", NomContient), enr));
  EXPECT_TRUE(Correspond(ParIngredients({plein}, TousChoisis), enr));
  EXPECT_FALSE(Correspond(ParIngredients({std::string(30, 'G')}, AuMoinsUnChoisi), enr));
  EXPECT_TRUE(Correspond(ParFamille({plein}, FamilleSelectionnee), enr));
  EXPECT_FALSE(Correspond(ParNom(plein + "G", NomContient), enr));
}

}  // namespace
}  // namespace velquor
