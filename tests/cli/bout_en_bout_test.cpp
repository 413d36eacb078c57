// velquor-outils run as a user runs it: the built executable, in a fresh directory, with its exit
// status, its standard output and its messages in French.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "cli/support_outils.h"
#include "search/trace_crochets.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::LireOctets;
using test::Outils;

class OutilsBoutEnBoutTest : public test::TestDansDossier {};

TEST_F(OutilsBoutEnBoutTest, ImporterReorganiserRechercherVerifier) {
  test::Execution r = Outils({"importer", VELQUOR_DEMO_CSV});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("90 cocktails"), std::string::npos) << r.erreurs;
  r = Outils({"lister", "cocktails"});
  EXPECT_NE(r.sortie.find("\nPIÑA COLADA\n"), std::string::npos) << r.sortie;

  // Importing the same file again keeps every name as it is and says so.
  const auto avant = LireOctets("COCKTAIL.DAT");
  r = Outils({"importer", VELQUOR_DEMO_CSV});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.erreurs.find("Cocktail MOJITO déjà existant !"), std::string::npos);
  EXPECT_EQ(LireOctets("COCKTAIL.DAT"), avant);

  r = Outils({"reorganiser", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("après : 90 enregistrements, index 4230 octets, données 74978 octets, "
                           "profondeur 7"),
            std::string::npos)
      << r.erreurs;
  EXPECT_FALSE(fs::exists("RESURECH.NDX")) << "an absent pair is not created";

  // Names are searched in capitals, whatever was typed; every unknown name is named.
  r = Outils({"rechercher", "nom", "mo"});
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.sortie.find("MOJITO\n"), std::string::npos) << r.sortie;
  r = Outils({"rechercher", "ingredients", "menthe", "whisky <&>", "Eau tonique"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.erreurs.find("ingrédients inconnus : « whisky <&> », « Eau tonique »"),
            std::string::npos)
      << r.erreurs;

  // Rows emptied where they stand hide the rows after them, in a cocktail and in its copy.
  for (std::string_view base : {BaseCocktail, BaseResultat}) {
    FicCocktail f(base);
    ASSERT_TRUE(f.Ouvrir() && f.Chercher("MOJITO"));
    f.Enreg.Ingredient[1][0] = f.Enreg.Ingredient[3][0] = '\0';
    ASSERT_TRUE(f.Modifier());
  }
  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  for (const std::string genre : {"cocktail", "résultat"})
    EXPECT_NE(
        r.sortie.find("le " + genre + " « MOJITO » : ligne 2 sans ingrédient, qui cache la " +
                      "suite : ligne 3 « MENTHE », ligne 5 « EAU GAZEUSE »\n"),
        std::string::npos)
        << r.sortie;

  // A cocktail naming a family that is gone.
  fs::remove("FAMILLE.NDX");
  fs::remove("FAMILLE.DAT");
  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.sortie.find("le cocktail « ALEXANDER » nomme la famille « DIGESTIFS », absente"),
            std::string::npos)
      << r.sortie;
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
  EXPECT_EQ(r.erreurs,
            "refus.csv, ligne 4 : ingrédient : le caractère « Ā » (U+0100) n'existe pas dans "
            "le jeu de caractères CP1252\n"
            "refus.csv, ligne 8 : ingrédient : le caractère « Ω » (U+03A9) n'existe pas dans "
            "le jeu de caractères CP1252\n"
            "velquor-outils : 2 erreurs : rien n'a été importé\n");
  EXPECT_FALSE(fs::exists("COCKTAIL.DAT"));
  EXPECT_FALSE(fs::exists("INGRED.DAT"));
}

// The check names each field that fills its width with no terminator; the lists quote control
// characters; beside an emptied data file, no command that reads writes anything.
TEST_F(OutilsBoutEnBoutTest, DonneesAbimeesOuHostiles) {
  ASSERT_NO_FATAL_FAILURE(test::PreparerHostile());
  ASSERT_NO_FATAL_FAILURE(test::EcrireSansTerminateur());
  test::Execution r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.erreurs, "");  // the report is the command's output
  const std::string nom = "« SANS FIN <&> %s" + std::string(15, '~') + " » : ";
  for (const char* champ : {"nom", "commentaire", "quantité", "ingrédient", "famille", "remarques"})
    EXPECT_NE(r.sortie.find(nom + "champ « " + champ + " » sans terminateur"), std::string::npos)
        << champ << "\n"
        << r.sortie;
  EXPECT_NE(r.sortie.find("COCKTAIL : 5 cocktails, 6 défauts"), std::string::npos) << r.sortie;

  r = Outils({"lister", "cocktails"});
  EXPECT_NE(r.sortie.find("L'\\x01\\x1B[31m \"ÉTÉ\"\\x09\\x7Fÿ€\n"), std::string::npos) << r.sortie;
  for (unsigned char c : r.sortie)
    EXPECT_TRUE(c >= 0x20 || c == '\n') << int(c);

  test::EcrireOctets("COCKTAIL.DAT", {});
  std::map<std::string, std::vector<unsigned char>> abimes;
  for (const auto& e : fs::directory_iterator("."))
    abimes[e.path().string()] = LireOctets(e.path());
  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.sortie.find("COCKTAIL.DAT : 0 octets, trop court pour son index"), std::string::npos)
      << r.sortie;
  for (const char* liste : {"familles", "ingredients", "cocktails"})
    Outils({"lister", liste});
  Outils({"exporter", "cocktails"});
  for (const auto& [chemin, octets] : abimes)
    EXPECT_TRUE(LireOctets(chemin) == octets) << chemin;
}

// A search whose result cannot be written fails and says so: here the result's index stands
// alone, its data file lost, and stays as it is; then the selection file is a folder.
TEST_F(OutilsBoutEnBoutTest, UneRechercheQuiNePeutEcrireEchoue) {
  test::CreerCocktails({{"GIN FIZZ", "", {"GIN"}}});
  test::CreerIngredients({{"GIN"}});
  const std::vector<unsigned char> index(47, 1);
  test::EcrireOctets("RESURECH.NDX", index);
  test::Execution r = Outils({"rechercher", "nom", ""});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("Impossible de créer le fichier des résultats !"), std::string::npos);
  EXPECT_NE(r.erreurs.find("le résultat n'a pas pu être écrit"), std::string::npos);
  EXPECT_EQ(r.erreurs.find("trouvé"), std::string::npos) << r.erreurs;
  EXPECT_EQ(LireOctets("RESURECH.NDX"), index);
  fs::remove("RESURECH.NDX");
  fs::create_directory("SELECCOC.DAT");
  r = Outils({"rechercher", "ingredients", "gin"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("impossible d'écrire SELECCOC.DAT"), std::string::npos) << r.erreurs;
}

TEST_F(OutilsBoutEnBoutTest, UsageEtAideSansRienCreer) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {},
           {"exporte", "tout"},
           {"verifier", "-C"},
           {"lister", "familles", "cocktails"},
           {"rechercher", "nom", "123456789012345678901234567890X"},
           {"-C", "/nulle/part", "lister"},  // found before -C is followed
       }) {
    const test::Execution r = Outils(arguments);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(r.erreurs.find("velquor-outils --aide"), std::string::npos);
    EXPECT_TRUE(r.sortie.empty());
  }
  const test::Execution aide = Outils({"--aide"});
  EXPECT_EQ(aide.code, 0);
  EXPECT_NE(aide.sortie.find("importer FICHIER.csv"), std::string::npos);

  // Where there are no recipes, none are made up.
  test::Execution r = Outils({"exporter", "cocktails"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("aucun fichier des cocktails"), std::string::npos);
  EXPECT_EQ(Outils({"verifier"}).code, 0);
  EXPECT_TRUE(fs::is_empty("."));
}

}  // namespace
}  // namespace velquor
