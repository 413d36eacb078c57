// velquor-outils run as a user runs it: the built executable, in a fresh directory, with its exit
// status, its standard output and its messages. The commands that read run on two sets of
// recipes: the demo file, imported, and the hostile records written straight into the files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/console.h"
#include "cli/support_outils.h"
#include "export/exports_listes.h"
#include "export/recettes_html.h"
#include "jeu_hostile.h"
#include "store/collections.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::LireOctets;
using test::Outils;

std::vector<std::string> Lignes(const std::string& texte) {
  std::vector<std::string> lignes;
  std::istringstream flux(texte);
  for (std::string l; std::getline(flux, l);)
    lignes.push_back(l);
  return lignes;
}

// The files of the four pairs, byte for byte.
std::map<std::string, std::vector<unsigned char>> Paires() {
  std::map<std::string, std::vector<unsigned char>> paires;
  for (const char* base : {"FAMILLE", "INGRED", "COCKTAIL", "RESURECH"}) {
    for (const char* extension : {".NDX", ".DAT"}) {
      const std::string nom = std::string(base) + extension;
      if (fs::exists(nom)) paires[nom] = LireOctets(nom);
    }
  }
  return paires;
}

// Every file of the three export folders, by path.
std::map<std::string, std::string> Exports() {
  std::map<std::string, std::string> contenus;
  for (const char* dossier : {"web", "Web", "Tux"}) {
    for (const auto& e : fs::directory_iterator(dossier))
      contenus[e.path().string()] = test::LireTexte(e.path());
  }
  return contenus;
}

class DonneesTest : public test::TestDansDossier,
                    public ::testing::WithParamInterface<test::JeuDeDonnees> {};

TEST_P(DonneesTest, ListerVerifierExporter) {
  ASSERT_NO_FATAL_FAILURE(test::Preparer(GetParam()));
  // Each list: the names of the pair in name order, one a line, as the console shows them.
  const std::pair<const char*, std::string> listes[] = {
      {"familles", test::Liste<FicFamille>(BaseFamille)},
      {"ingredients", test::Liste<FicIngredient>(BaseIngredient)},
      {"cocktails", test::Liste<FicCocktail>(BaseCocktail)},
      {"resultats", test::Liste<FicCocktail>(BaseResultat)},
  };
  for (const auto& [liste, attendue] : listes) {
    ASSERT_FALSE(attendue.empty()) << liste;
    const test::Execution r = Outils({"lister", liste});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.sortie, attendue) << liste;
  }

  test::Execution r = Outils({"verifier"});
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_TRUE(r.erreurs.ends_with("aucun défaut\nBase saine.\n")) << r.erreurs;

  // The companion writes the program's own exports, and the index of the recipe pages.
  for (const char* dossier : {"web", "Web", "Tux"})
    fs::create_directory(dossier);
  test::EnregistreurMessages messages;
  ASSERT_TRUE(ExporterRecettesHtml(messages).Reussi());
  ASSERT_TRUE(ExporterFamilles(messages).Reussi());
  ASSERT_TRUE(ExporterIngredients(messages).Reussi());
  ASSERT_TRUE(ExporterCocktails(messages).Reussi());
  const auto programme = Exports();
  for (const char* dossier : {"web", "Web", "Tux"})
    fs::remove_all(dossier);
  r = Outils({"exporter", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  auto compagnon = Exports();
  EXPECT_EQ(compagnon.erase("web/index.html"), 1u);
  EXPECT_EQ(compagnon, programme);

  // Beside an emptied data file, the check names the damage, and no command that reads writes
  // anything (no header into the empty file).
  test::EcrireOctets("COCKTAIL.DAT", {});
  const auto abimees = Paires();
  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("COCKTAIL.DAT : 0 octets, trop court pour son index"), std::string::npos)
      << r.erreurs;
  for (const char* liste : {"familles", "ingredients", "cocktails"})
    Outils({"lister", liste});
  Outils({"exporter", "tout"});
  EXPECT_TRUE(Paires() == abimees);
}

INSTANTIATE_TEST_SUITE_P(Jeux, DonneesTest,
                         ::testing::Values(test::JeuDeDonnees::Demo, test::JeuDeDonnees::Hostile),
                         test::NomDuJeu);

class OutilsBoutEnBoutTest : public test::TestDansDossier {};

TEST_F(OutilsBoutEnBoutTest, ImportDeLaDemo) {
  test::Execution r = Outils({"importer", VELQUOR_DEMO_CSV});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("90 cocktails"), std::string::npos) << r.erreurs;
  const auto cocktails = Lignes(Outils({"lister", "cocktails"}).sortie);
  EXPECT_EQ(cocktails.size(), 90u);
  EXPECT_NE(std::find(cocktails.begin(), cocktails.end(), "PIÑA COLADA"), cocktails.end());
  EXPECT_EQ(Lignes(Outils({"lister", "familles"}).sortie),
            (std::vector<std::string>{"APÉRITIFS", "AU VERRE À MÉLANGE", "DIGESTIFS", "LONG DRINKS",
                                      "PÉTILLANTS", "SHORT DRINKS", "SOURS", "TIKI ET PUNCHS"}));

  // Importing the same file again keeps every name as it is and says so.
  const auto avant = LireOctets("COCKTAIL.DAT");
  r = Outils({"importer", VELQUOR_DEMO_CSV});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.erreurs.find("Cocktail MOJITO déjà existant !"), std::string::npos);
  EXPECT_EQ(LireOctets("COCKTAIL.DAT"), avant);

  // A cocktail naming a family that is gone.
  fs::remove("FAMILLE.NDX");
  fs::remove("FAMILLE.DAT");
  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("le cocktail « ALEXANDER » nomme la famille « DIGESTIFS », absente"),
            std::string::npos)
      << r.erreurs;
}

// Every fault of the file, each with the line of the file it stands on, and nothing imported.
TEST_F(OutilsBoutEnBoutTest, ImportRefuseAvecLesNumerosDeLigne) {
  std::ofstream("refus.csv") << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
                                "BON,,1 cl,GIN,,\"deux\r\nlignes\"\n"  // lines 2 and 3
                                "BON,,,\xC4\x80"
                                "B,,\n"                      // 4
                                "AUTRE,,,Gin,,\"x\n\ny\"\n"  // 5 to 7
                                "AUTRE,,,\xCE\xA9,,\n";      // 8
  const test::Execution r = Outils({"importer", "refus.csv"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(Lignes(r.erreurs),
            (std::vector<std::string>{
                "refus.csv, ligne 4 : ingrédient : le caractère « Ā » (U+0100) n'existe pas dans "
                "le jeu de caractères CP1252",
                "refus.csv, ligne 8 : ingrédient : le caractère « Ω » (U+03A9) n'existe pas dans "
                "le jeu de caractères CP1252",
                "velquor-outils : 2 erreurs : rien n'a été importé"}));
  EXPECT_FALSE(fs::exists("COCKTAIL.DAT"));
  EXPECT_FALSE(fs::exists("INGRED.DAT"));
}

// The check names each field that fills its width with no terminator, in each pair.
TEST_F(OutilsBoutEnBoutTest, VerifierNommeLesChampsSansTerminateur) {
  ASSERT_NO_FATAL_FAILURE(test::EcrireJeu());
  ASSERT_NO_FATAL_FAILURE(test::EcrireSansTerminateur());
  const test::Execution r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  const std::string nom = "« SANS FIN <&> %s" + std::string(15, '~') + " » : ";
  for (const char* defaut :
       {"champ « nom » sans terminateur", "champ « commentaire » sans terminateur",
        "champ « quantité » sans terminateur", "champ « ingrédient » sans terminateur",
        "champ « famille » sans terminateur", "champ « remarques » sans terminateur"}) {
    EXPECT_NE(r.erreurs.find(nom + defaut), std::string::npos) << defaut << "\n" << r.erreurs;
  }
  EXPECT_NE(r.erreurs.find("FAMILLE : 6 familles, 3 défauts"), std::string::npos) << r.erreurs;
  EXPECT_NE(r.erreurs.find("COCKTAIL : 4 cocktails, 6 défauts"), std::string::npos) << r.erreurs;
}

TEST_F(OutilsBoutEnBoutTest, UsageEtAideSansRienCreer) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {},
           {"exporte", "tout"},
           {"exporter"},
           {"exporter", "pages"},
           {"importer"},
           {"verifier", "-C"},
           {"lister", "familles", "cocktails"},
           {"verifier", "tout"},
           {"importer", "a.csv", "b.csv"},
           {"reorganiser", "pommes"},
           // A usage error is found before -C is followed.
           {"-C", "/nulle/part", "lister"},
       }) {
    const test::Execution r = Outils(arguments);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(r.erreurs.find("velquor-outils --aide"), std::string::npos);
    EXPECT_TRUE(r.sortie.empty());
  }
  EXPECT_EQ(Outils({"-C", "/nulle/part", "lister", "familles"}).code, 1);
  const test::Execution aide = Outils({"--aide"});
  EXPECT_EQ(aide.code, 0);
  EXPECT_NE(aide.sortie.find("importer FICHIER.csv"), std::string::npos);

  // Where there are no recipes, none are made up.
  test::Execution r = Outils({"exporter", "cocktails"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("aucun fichier des cocktails"), std::string::npos);
  EXPECT_EQ(Outils({"lister", "resultats"}).code, 1);
  EXPECT_EQ(Outils({"verifier"}).code, 0);
  EXPECT_TRUE(fs::is_empty("."));
}

// reorganiser rebuilds every pair present, keeps the old one as .bak and lists the same names;
// it refuses a pair that another program holds open.
TEST_F(OutilsBoutEnBoutTest, ReorganisationDeToutesLesPaires) {
  ASSERT_EQ(Outils({"importer", VELQUOR_DEMO_CSV}).code, 0);
  const std::string avant = Outils({"lister", "cocktails"}).sortie;
  test::Execution r = Outils({"reorganiser", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("après : 90 enregistrements, index 4230 octets, données 74978 octets, "
                           "profondeur 7"),
            std::string::npos)
      << r.erreurs;
  EXPECT_TRUE(fs::exists("COCKTAIL.NDX.bak"));
  EXPECT_FALSE(fs::exists("RESURECH.NDX")) << "an absent pair is not created";
  EXPECT_EQ(Outils({"lister", "cocktails"}).sortie, avant);
  EXPECT_EQ(Outils({"verifier"}).code, 0);

  FicCocktail ouvert;
  ASSERT_TRUE(ouvert.Ouvrir());
  r = Outils({"reorganiser", "cocktails"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("ouvert par un autre programme"), std::string::npos) << r.erreurs;
}

}  // namespace
}  // namespace velquor
