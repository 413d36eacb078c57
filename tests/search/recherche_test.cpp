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
  // Matches arrive in name order and are added one by one, so each new node hangs on the
  // greater side of the one before: key, then PosEnreg, Droite, Gauche and Pere.
  const auto ndx = test::LireOctets("RESURECH.NDX");
  ASSERT_EQ(ndx.size(), 3u * 47);
  const std::int32_t t = sizeof(EnrCocktail);
  const std::vector<std::int32_t> attendus[] = {
      {'D', 8, 47, -1, -1}, {'M', 8 + t, 94, -1, 0}, {'Z', 8 + 2 * t, -1, -1, 47}};
  for (std::size_t noeud = 0; noeud < 3; ++noeud) {
    std::vector<std::int32_t> lus = {ndx[noeud * 47 + 4]};
    for (std::size_t champ : {0, 35, 39, 43}) {
      std::int32_t v;
      std::memcpy(&v, ndx.data() + noeud * 47 + champ, 4);
      lus.push_back(v);
    }
    EXPECT_EQ(lus, attendus[noeud]) << noeud;
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
  // No cocktail pair: it is created; no progress for an empty collection.
  EXPECT_FALSE(Lancer(Tout()));
  EXPECT_EQ(trace_, (Trace{Aucun}));
  EXPECT_TRUE(fs::exists("COCKTAIL.NDX") && fs::exists("COCKTAIL.DAT"));
  EXPECT_FALSE(ResultatPresent());
  fs::remove("COCKTAIL.NDX");
  fs::remove("COCKTAIL.DAT");
  CreerCocktails({{"A"}, {"B"}});

  // A result that cannot be made: found, nothing kept.
  fs::create_directory("RESURECH.NDX");
  trace_.clear();
  EXPECT_TRUE(Lancer(NomContenant("A")));
  EXPECT_EQ(trace_, (Trace{"message 3001 r\xE9sultats 16", "debut", "etape A 1/2", "pompe",
                           "etape B 2/2", "pompe", "fin"}));
  EXPECT_FALSE(fs::exists("RESURECH.DAT"));
  fs::remove("RESURECH.NDX");

  // The index lost, its data file still holding a record: the data is kept.
  ASSERT_TRUE(Lancer(NomContenant("A")));
  fs::remove("RESURECH.NDX");
  const auto donnees = test::LireOctets("RESURECH.DAT");
  trace_.clear();
  Lancer(NomContenant("B"));
  EXPECT_EQ(trace_.front(), "message 3001 r\xE9sultats 16");
  EXPECT_EQ(test::LireOctets("RESURECH.DAT"), donnees);

  // A half pair with nothing in it is of no use: the run clears it.
  test::EcrireOctets("RESURECH.NDX", {});
  fs::remove("RESURECH.DAT");
  EXPECT_FALSE(Lancer(NomContenant("Z")));
  EXPECT_FALSE(ResultatPresent());

  // No cocktail pair can be made.
  fs::remove("COCKTAIL.NDX");
  fs::create_directory("COCKTAIL.NDX");
  trace_.clear();
  EXPECT_FALSE(Lancer(Tout()));
  EXPECT_EQ(trace_, (Trace{"message 3001 cocktails 16", Aucun}));
}

TEST_F(RechercheTest, FichierDeSelectionDeLOngletCourantSeulement) {
  CreerCocktails({{"A", "TIKI", {"GIN"}}});
  EcrireSelection(CheminSelectionFamilles, {"ANCIENNE"});
  EcrireSelection(CheminSelectionIngredients, {"ANCIEN"});

  Lancer(Tout());
  EXPECT_EQ(LireSelection(CheminSelectionFamilles), (Noms_{"ANCIENNE"}));
  EXPECT_EQ(LireSelection(CheminSelectionIngredients), (Noms_{"ANCIEN"}));

  CriteresRecherche familles;
  familles.TypeRecherche = RechercheFamille;
  familles.FamillesChoisies = {"TIKI", "SOURS"};
  EXPECT_TRUE(Lancer(familles));
  EXPECT_EQ(LireSelection(CheminSelectionFamilles), (Noms_{"TIKI", "SOURS"}));
  EXPECT_EQ(LireSelection(CheminSelectionIngredients), (Noms_{"ANCIEN"}));

  // Written even when the search finds nothing, and empty when nothing is chosen.
  CriteresRecherche ingredients;
  ingredients.TypeRecherche = RechercheIngredients;
  ingredients.SensIngredients = AuMoinsUnChoisi;
  EXPECT_FALSE(Lancer(ingredients));
  EXPECT_EQ(fs::file_size("SELECCOC.DAT"), 0u);
  EXPECT_EQ(LireSelection(CheminSelectionFamilles), (Noms_{"TIKI", "SOURS"}));
}

TEST_F(RechercheTest, EnregistrementsAbimesSansTerminateur) {
  CreerCocktails({{"A", "TIKI", {"GIN"}}, {"B", "TIKI", {"GIN"}}});
  // Overwrite the first record's text fields (not its index key) with bytes and no terminator.
  auto dat = test::LireOctets("COCKTAIL.DAT");
  std::memset(dat.data() + 8, 'X', sizeof(EnrCocktail));
  test::EcrireOctets("COCKTAIL.DAT", dat);

  CriteresRecherche c;
  c.TypeRecherche = RechercheIngredients;
  c.IngredientsChoisis = {"GIN"};
  c.SensIngredients = AucunChoisi;
  // The damaged record matches and is stored under its name cut to a key's 30 bytes.
  EXPECT_TRUE(Lancer(c));
  EXPECT_EQ(trace_[1], "etape " + std::string(30, 'X') + " 1/2");
  {
    FicCocktail resultat(BaseResultat);
    ASSERT_TRUE(resultat.Ouvrir());
    EXPECT_EQ(resultat.NbEnreg, 1);
    EXPECT_TRUE(resultat.Chercher(std::string(30, 'X')));
  }

  trace_.clear();
  c.TypeRecherche = RechercheFamille;
  c.FamillesChoisies = {"TIKI"};
  c.SensFamille = FamilleSelectionnee;
  EXPECT_TRUE(Lancer(c));
  EXPECT_EQ(Noms("RESURECH"), (Noms_{"B"}));
}

}  // namespace
}  // namespace velquor
