// The search: which cocktails the three kinds of criteria select, the run over the files (what
// lands in RESURECH, the questions and messages, the progress calls and the stop), and the
// selection files of the chosen names.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "search/recherche.h"
#include "search/selection.h"
#include "support/dossier_temporaire.h"
#include "trace_crochets.h"

namespace velquor {
namespace {

using test::CreerCocktails;
using test::Enregistrement;
using test::LireOctets;
using test::Trace;
using Noms = std::vector<std::string>;
using Octets = std::vector<unsigned char>;
namespace fs = std::filesystem;

CriteresRecherche ParNom(std::string chaine, ModeNom sens = NomContient) {
  CriteresRecherche c;
  c.Chaine = std::move(chaine);
  c.SensNom = sens;
  return c;
}

CriteresRecherche ParFamille(Noms familles, ModeFamille sens) {
  CriteresRecherche c;
  c.TypeRecherche = RechercheFamille;
  c.FamillesChoisies = std::move(familles);
  c.SensFamille = sens;
  return c;
}

CriteresRecherche ParIngredients(Noms ingredients, ModeIngredients sens) {
  CriteresRecherche c;
  c.TypeRecherche = RechercheIngredients;
  c.IngredientsChoisis = std::move(ingredients);
  c.SensIngredients = sens;
  return c;
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

class RechercheTest : public test::TestDansDossier {
 protected:
  // Runs a search whose every call goes into trace_; the clear question is answered with
  // effacer and recorded as well.
  bool Lancer(const CriteresRecherche& criteres, bool effacer = true) {
    return ExecuterRecherche(criteres, {.ConfirmerEffacement =
                                            [this, effacer] {
                                              trace_.push_back("confirmer");
                                              return effacer;
                                            },
                                        .Messages = messages_,
                                        .Progression = progression_,
                                        .TraiterMessagesEnAttente = progression_.Pompe()});
  }

  Trace trace_;
  test::TraceProgression progression_{trace_};
  test::TraceMessages messages_{trace_};
};

const std::string Aucun = "message 3010  64";

TEST_F(RechercheTest, ToutCopieChaqueEnregistrementEnOrdreDesNoms) {
  CreerCocktails({{"MOJITO", "HIGHBALLS", {"RHUM", "MENTHE"}, {"4 cl", "6 feuilles"}, "Piler."},
                  {"DAIQUIRI", "SOURS", {"RHUM", "CITRON VERT"}, {"6 cl", "2 cl"}, ""}});
  EXPECT_TRUE(Lancer(ParNom("")));
  FicCocktail source, copie(BaseResultat);
  ASSERT_TRUE(source.Ouvrir() && copie.Ouvrir());
  for (const char* nom : {"DAIQUIRI", "MOJITO"}) {
    ASSERT_TRUE(source.Chercher(nom) && copie.Chercher(nom));
    EXPECT_EQ(0, std::memcmp(&source.Enreg, &copie.Enreg, sizeof source.Enreg)) << nom;
  }
}

TEST_F(RechercheTest, SansEffacementLesResultatsSAccumulent) {
  CreerCocktails({{"GIN FIZZ"}, {"VIRGIN MARY"}, {"Gin Sour"}, {"MOJITO"}});
  ASSERT_TRUE(Lancer(ParNom("GIN")));
  // Only names already stored match: nothing new, "nothing found", the old results stay.
  trace_.clear();
  EXPECT_FALSE(Lancer(ParNom("GIN"), false));
  EXPECT_EQ(trace_.front(), "confirmer");
  EXPECT_EQ(trace_.back(), Aucun);
  EXPECT_EQ(test::Noms(BaseResultat), (Noms{"GIN FIZZ", "VIRGIN MARY"}));
  // Without the optional hooks the result is kept as well.
  EXPECT_TRUE(ExecuterRecherche(ParNom("GIN", NomNeContientPas),
                                {.Messages = messages_, .Progression = progression_}));
  EXPECT_EQ(test::Noms(BaseResultat), (Noms{"GIN FIZZ", "Gin Sour", "MOJITO", "VIRGIN MARY"}));
}

TEST_F(RechercheTest, EffacerPuisNeRienTrouverSupprimeLeResultat) {
  CreerCocktails({{"MOJITO"}, {"ZOMBIE"}});
  ASSERT_TRUE(Lancer(ParNom("")));
  EXPECT_TRUE(Lancer(ParNom("ZOM"), true));
  EXPECT_EQ(test::Noms(BaseResultat), Noms{"ZOMBIE"});
  trace_.clear();
  EXPECT_FALSE(Lancer(ParNom("ABSENT"), true));
  EXPECT_EQ(trace_.back(), Aucun);
  EXPECT_FALSE(fs::exists("RESURECH.NDX") || fs::exists("RESURECH.DAT"));
}

// The click is heard while the messages after step k are processed; step k + 1 reports it and
// its cocktail is still examined, then the run ends.
TEST_F(RechercheTest, ArretDemandePendantLEtapeK) {
  CreerCocktails({{"A"}, {"B"}, {"C"}, {"D"}});
  progression_.clicArretApresEtape = 2;
  EXPECT_TRUE(Lancer(ParNom("")));
  EXPECT_EQ(trace_, (Trace{"debut", "etape A 1/4", "pompe", "etape B 2/4", "pompe", "etape C 3/4",
                           "pompe", "fin"}));
  EXPECT_EQ(test::Noms(BaseResultat), (Noms{"A", "B", "C"}));
}

// What a run does with files that are missing, cannot be made, or are half gone.
TEST_F(RechercheTest, FichiersAbsentsOuImpossibles) {
  CreerCocktails({{"A"}, {"B"}});
  // The index lost, its data file still holding a record: the data is kept.
  ASSERT_TRUE(Lancer(ParNom("A")));
  fs::remove("RESURECH.NDX");
  const auto donnees = LireOctets("RESURECH.DAT");
  trace_.clear();
  Lancer(ParNom("B"));
  EXPECT_EQ(trace_.front(), "message 3001 r\xE9sultats 16");
  EXPECT_EQ(LireOctets("RESURECH.DAT"), donnees);
  // No cocktail pair can be made; the result's data file alone is never taken for a result to
  // clear.
  fs::remove("COCKTAIL.NDX");
  fs::create_directory("COCKTAIL.NDX");
  trace_.clear();
  EXPECT_FALSE(Lancer(ParNom("")));
  EXPECT_EQ(trace_, (Trace{"message 3001 cocktails 16", "message 3001 r\xE9sultats 16", Aucun}));
  EXPECT_EQ(LireOctets("RESURECH.DAT"), donnees);
}

Octets Slot(std::string_view texte, std::size_t taille = 31) {
  Octets o(taille, 0);
  std::copy(texte.begin(), texte.end(), o.begin());
  return o;
}

Octets operator+(Octets a, const Octets& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The selection files: 31-byte slots, read back in file order, rewritten whole.
TEST_F(RechercheTest, SelectionUnSlotParNom) {
  // A short last slot still gives its text; bytes after a terminator are not part of a name; a
  // slot with no terminator gives its 31 bytes and no more.
  auto junk = Slot("RHUM");
  junk[10] = 'Z';
  test::EcrireOctets("SELECCOC.DAT", junk + Octets(31, 'A') + Slot("MENTHE", 12));
  EXPECT_EQ(LireSelection(CheminSelectionIngredients),
            (Noms{"RHUM", std::string(31, 'A'), "MENTHE"}));

  // A name too long is cut to keep its terminator; rewriting replaces the whole file.
  const std::string trente(30, 'N');
  ASSERT_TRUE(EcrireSelection(CheminSelectionFamilles, {"SOURS", trente + "XYZ"}));
  EXPECT_EQ(LireOctets("SELECFAM.DAT"), Slot("SOURS") + Slot(trente));
  ASSERT_TRUE(EcrireSelection(CheminSelectionFamilles, {"FIZZ"}));
  EXPECT_EQ(LireOctets("SELECFAM.DAT"), Slot("FIZZ"));

  fs::remove("SELECFAM.DAT");
  fs::create_directory("SELECFAM.DAT");
  EXPECT_TRUE(LireSelection(CheminSelectionFamilles).empty());
  EXPECT_FALSE(EcrireSelection(CheminSelectionFamilles, {"TIKI"}));
}

}  // namespace
}  // namespace velquor
