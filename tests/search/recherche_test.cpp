// The search run over the files: what lands in RESURECH, the questions and messages, the
// progress calls and their order, and the stop.

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
using test::Noms;
using test::Trace;
namespace fs = std::filesystem;

using Noms_ = std::vector<std::string>;

// By name; Tout() is "contains" the empty string.
CriteresRecherche NomContenant(std::string chaine, ModeNom sens = NomContient) {
  CriteresRecherche c;
  c.Chaine = std::move(chaine);
  c.SensNom = sens;
  return c;
}

CriteresRecherche Tout() {
  return {};
}

bool ResultatPresent() {
  return fs::exists("RESURECH.NDX") || fs::exists("RESURECH.DAT");
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
                  {"DAIQUIRI", "SOURS", {"RHUM", "CITRON VERT"}, {"6 cl", "2 cl"}, ""},
                  {"ZOMBIE", "TIKI", {}, {}, "Fort."}});
  EXPECT_TRUE(Lancer(Tout()));
  EXPECT_EQ(Noms("RESURECH"), (Noms_{"DAIQUIRI", "MOJITO", "ZOMBIE"}));
  EXPECT_EQ(trace_, (Trace{"debut", "etape DAIQUIRI 1/3", "pompe", "etape MOJITO 2/3", "pompe",
                           "etape ZOMBIE 3/3", "pompe", "fin"}));

  // Every field of every record is copied.
  FicCocktail source, copie(BaseResultat);
  ASSERT_TRUE(source.Ouvrir() && copie.Ouvrir());
  for (const char* nom : {"DAIQUIRI", "MOJITO", "ZOMBIE"}) {
    ASSERT_TRUE(source.Chercher(nom) && copie.Chercher(nom));
    EXPECT_EQ(0, std::memcmp(&source.Enreg, &copie.Enreg, sizeof source.Enreg)) << nom;
  }
}

TEST_F(RechercheTest, SansEffacementLesResultatsSAccumulent) {
  CreerCocktails({{"GIN FIZZ"}, {"VIRGIN MARY"}, {"Gin Sour"}, {"MOJITO"}});
  ASSERT_TRUE(Lancer(NomContenant("GIN")));
  ASSERT_EQ(Noms("RESURECH"), (Noms_{"GIN FIZZ", "VIRGIN MARY"}));

  // Only names already stored match: nothing new, "nothing found", the old results stay.
  trace_.clear();
  EXPECT_FALSE(Lancer(NomContenant("GIN"), false));
  EXPECT_EQ(trace_, (Trace{"confirmer", "debut", "etape GIN FIZZ 1/4", "pompe",
                           "etape Gin Sour 2/4", "pompe", "etape MOJITO 3/4", "pompe",
                           "etape VIRGIN MARY 4/4", "pompe", "fin", Aucun}));
  EXPECT_EQ(Noms("RESURECH"), (Noms_{"GIN FIZZ", "VIRGIN MARY"}));

  // Stored names are not examined again: "does not contain GIN" adds the other two only.
  // Without the optional hooks the result is kept as well.
  EXPECT_TRUE(ExecuterRecherche(NomContenant("GIN", NomNeContientPas),
                                {.Messages = messages_, .Progression = progression_}));
  EXPECT_EQ(Noms("RESURECH"), (Noms_{"GIN FIZZ", "Gin Sour", "MOJITO", "VIRGIN MARY"}));
}

TEST_F(RechercheTest, EffacerPuisNeRienTrouverSupprimeLeResultat) {
  CreerCocktails({{"MOJITO"}, {"ZOMBIE"}});
  ASSERT_TRUE(Lancer(Tout()));
  ASSERT_TRUE(fs::exists("RESURECH.NDX") && fs::exists("RESURECH.DAT"));

  // Yes clears before the run.
  EXPECT_TRUE(Lancer(NomContenant("ZOM"), true));
  EXPECT_EQ(Noms("RESURECH"), (Noms_{"ZOMBIE"}));

  trace_.clear();
  EXPECT_FALSE(Lancer(NomContenant("ABSENT"), true));
  EXPECT_EQ(trace_.front(), "confirmer");
  EXPECT_EQ(trace_.back(), Aucun);
  EXPECT_FALSE(ResultatPresent());
  FicCocktail resultat(BaseResultat);
  EXPECT_FALSE(resultat.Ouvrir());
}

// The click is heard while the messages after step k are processed; step k + 1 reports it and
// its cocktail is still examined, then the run ends.
TEST_F(RechercheTest, ArretDemandePendantLEtapeK) {
  CreerCocktails({{"A"}, {"B"}, {"C"}, {"D"}, {"ZZZ"}});
  progression_.clicArretApresEtape = 2;
  EXPECT_TRUE(Lancer(Tout()));
  EXPECT_EQ(trace_, (Trace{"debut", "etape A 1/5", "pompe", "etape B 2/5", "pompe", "etape C 3/5",
                           "pompe", "fin"}));
  EXPECT_EQ(Noms("RESURECH"), (Noms_{"A", "B", "C"}));
  trace_.clear();
  EXPECT_FALSE(Lancer(NomContenant("Z"), false));  // stopped before the match: nothing found
  EXPECT_EQ(trace_.back(), Aucun);
  EXPECT_EQ(Noms("RESURECH"), (Noms_{"A", "B", "C"}));
}

// What a run does with files that are missing, cannot be made, or are half gone.
TEST_F(RechercheTest, FichiersAbsentsOuImpossibles) {
  CreerCocktails({{"A"}, {"B"}});

  // A result that cannot be made: found, nothing kept.
  fs::create_directory("RESURECH.NDX");
  trace_.clear();
  EXPECT_TRUE(Lancer(NomContenant("A")));
  EXPECT_EQ(trace_, (Trace{"message 3001 r\xE9sultats 16", "debut", "etape A 1/2", "pompe",
                           "etape B 2/2", "pompe", "fin"}));
  fs::remove("RESURECH.NDX");

  // The index lost, its data file still holding a record: the data is kept.
  ASSERT_TRUE(Lancer(NomContenant("A")));
  fs::remove("RESURECH.NDX");
  const auto donnees = test::LireOctets("RESURECH.DAT");
  trace_.clear();
  Lancer(NomContenant("B"));
  EXPECT_EQ(trace_.front(), "message 3001 r\xE9sultats 16");
  EXPECT_EQ(test::LireOctets("RESURECH.DAT"), donnees);

  // No cocktail pair can be made.
  fs::remove("COCKTAIL.NDX");
  fs::create_directory("COCKTAIL.NDX");
  trace_.clear();
  EXPECT_FALSE(Lancer(Tout()));
  EXPECT_EQ(trace_, (Trace{"message 3001 cocktails 16", "confirmer", Aucun}));
}

}  // namespace
}  // namespace velquor
