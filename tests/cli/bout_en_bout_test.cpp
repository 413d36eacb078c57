// velquor-outils run as a user runs it: the built executable, in a fresh directory, with its exit
// status, its standard output and its messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "cli/lecteur_csv.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "support/dossier_temporaire.h"
#include "support/execution.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::LireOctets;

using Resultat = test::Execution;

// The companion, run in the current directory.
Resultat Outils(std::vector<std::string> arguments) {
  return test::Executer(VELQUOR_OUTILS, std::move(arguments));
}

std::vector<std::string> Lignes(const std::string& texte) {
  std::vector<std::string> lignes;
  std::istringstream flux(texte);
  for (std::string l; std::getline(flux, l);)
    lignes.push_back(l);
  return lignes;
}

std::set<fs::path> Contenu(const fs::path& dossier) {
  std::set<fs::path> chemins;
  for (const auto& e : fs::recursive_directory_iterator(dossier))
    chemins.insert(fs::relative(e.path(), dossier));
  return chemins;
}

// The cocktail names of the demo file, as the importer stores them, in name order, in UTF-8.
std::vector<std::string> NomsDeLaDemo() {
  std::vector<std::string> noms;
  std::set<std::string> vus;
  auto csv = outils::LireCsv(test::LireTexte(VELQUOR_DEMO_CSV));
  for (std::size_t i = 1; i < csv.enregistrements.size(); ++i) {
    auto nom = Utf8VersCp1252(csv.enregistrements[i].champs.at(0));
    if (nom && vus.insert(MajusculesCp1252(*nom)).second) noms.push_back(MajusculesCp1252(*nom));
  }
  std::sort(noms.begin(), noms.end(),
            [](const std::string& a, const std::string& b) { return ComparerNoms(a, b) < 0; });
  for (auto& n : noms)
    n = Cp1252VersUtf8(n);
  return noms;
}

class OutilsBoutEnBoutTest : public test::TestDansDossier {
 protected:
  void ImporterDemo() { ASSERT_EQ(Outils({"importer", VELQUOR_DEMO_CSV}).code, 0); }
};

TEST_F(OutilsBoutEnBoutTest, DemoImporteeVerifieeListeeExportee) {
  Resultat r = Outils({"importer", VELQUOR_DEMO_CSV});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("90 cocktails"), std::string::npos) << r.erreurs;

  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("Base saine."), std::string::npos);

  r = Outils({"lister", "cocktails"});
  EXPECT_EQ(r.code, 0);
  std::vector<std::string> attendus = NomsDeLaDemo();
  ASSERT_EQ(attendus.size(), 90u);
  EXPECT_EQ(Lignes(r.sortie), attendus);
  EXPECT_NE(r.sortie.find("PIÑA COLADA\n"), std::string::npos);  // UTF-8, capitals

  r = Outils({"lister", "familles"});
  EXPECT_EQ(Lignes(r.sortie),
            (std::vector<std::string>{"APÉRITIFS", "AU VERRE À MÉLANGE", "DIGESTIFS", "LONG DRINKS",
                                      "PÉTILLANTS", "SHORT DRINKS", "SOURS", "TIKI ET PUNCHS"}));

  // The files are those of the program's own exports, which the hostile-text tests compare.
  r = Outils({"exporter", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_TRUE(fs::exists("web/recet090.html"));
  EXPECT_FALSE(fs::exists("web/recet091.html"));
  EXPECT_EQ(Lignes(test::LireTexte("Tux/COCKTAIL.SQL")).size(), 90u);

  // Importing the same file again keeps every name as it is and says so.
  auto avant = LireOctets("COCKTAIL.DAT");
  r = Outils({"importer", VELQUOR_DEMO_CSV});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.erreurs.find("Cocktail MOJITO déjà existant !"), std::string::npos);
  EXPECT_EQ(LireOctets("COCKTAIL.DAT"), avant);
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

void Mot(const std::string& fichier, std::size_t offset, std::int32_t valeur) {
  auto octets = LireOctets(fichier);
  EcrireMot(octets.data() + offset, valeur);
  test::EcrireOctets(fichier, octets);
}

// Each damage is named for what it is, and the commands that read never change a pair (no
// header written into an empty data file).
TEST_F(OutilsBoutEnBoutTest, DommagesNommesSansRienModifier) {
  ASSERT_NO_FATAL_FAILURE(ImporterDemo());
  const auto saines = Paires();
  struct Cas {
    const char* dommage;
    std::function<void()> abimer;
    std::string constat;
  };
  const Cas cas[] = {
      {"the root's lesser link back to the root", [] { Mot("INGRED.NDX", 39, 0); }, "cycle"},
      {"an empty data file beside its index", [] { test::EcrireOctets("COCKTAIL.DAT", {}); },
       "COCKTAIL.DAT : 0 octets, trop court pour son index : 90 des 90 nœuds"},
      {"the index beside another version of its data file",
       [] {
         ASSERT_EQ(Outils({"reorganiser", "cocktails"}).code, 0);
         fs::copy_file("COCKTAIL.NDX.bak", "COCKTAIL.NDX", fs::copy_options::overwrite_existing);
       },
       "ne vont pas ensemble"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.dommage);
    for (const auto& [nom, octets] : saines)
      test::EcrireOctets(nom, octets);
    ASSERT_NO_FATAL_FAILURE(c.abimer());
    const auto abimees = Paires();
    Resultat r = Outils({"verifier"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.erreurs.find(c.constat), std::string::npos) << r.erreurs;
    for (const char* liste : {"familles", "ingredients", "cocktails"})
      Outils({"lister", liste});
    Outils({"exporter", "tout"});
    EXPECT_TRUE(Paires() == abimees);
  }
}

// The damages of the field reports: a header of FF FF FF FF (the program sees no cocktail), a
// link 14 bytes into a node. The rebuild keeps every record, twice in a row, keeps the first
// backup, and says that the cocktails' references still hold.
TEST_F(OutilsBoutEnBoutTest, ReconstructionDesDommagesSignales) {
  ASSERT_NO_FATAL_FAILURE(ImporterDemo());
  const auto saines = Paires();
  struct Cas {
    const char* dommage;
    std::string collection, fichier;
    std::size_t offset;
    std::int32_t valeur;
  };
  const Cas cas[] = {
      {"FF FF FF FF at the start of the data file", "cocktails", "COCKTAIL.DAT", 0, -1},
      {"the root's greater link 14 bytes into a node", "familles", "FAMILLE.NDX", 35, 47 * 3 + 14},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.dommage);
    for (const auto& [nom, octets] : saines)
      test::EcrireOctets(nom, octets);
    for (const auto& e : fs::directory_iterator("."))
      if (e.path().extension().string().starts_with(".bak")) fs::remove(e.path());
    const std::string noms = Outils({"lister", c.collection}).sortie;
    Mot(c.fichier, c.offset, c.valeur);
    std::vector<unsigned char> sauvegarde;
    for (int fois = 0; fois < 2; ++fois) {
      Resultat r = Outils({"reorganiser", c.collection});
      EXPECT_EQ(r.code, 0) << r.erreurs;
      EXPECT_NE(r.erreurs.find("Familles et ingrédients des cocktails : aucun défaut"),
                std::string::npos)
          << r.erreurs;
      EXPECT_EQ(Outils({"lister", c.collection}).sortie, noms);
      if (fois == 0) sauvegarde = LireOctets(c.fichier + ".bak");
    }
    EXPECT_EQ(LireOctets(c.fichier + ".bak"), sauvegarde);
    EXPECT_EQ(Outils({"verifier"}).code, 0);
  }
}

TEST_F(OutilsBoutEnBoutTest, ReferenceManquanteDetectee) {
  std::ofstream("mini.csv") << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
                               "Kir,Apéritifs,1 cl,Cassis,oui,\n";
  ASSERT_EQ(Outils({"importer", "mini.csv"}).code, 0);
  fs::remove("FAMILLE.NDX");
  fs::remove("FAMILLE.DAT");
  Resultat r = Outils({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("le cocktail « KIR » nomme la famille « APÉRITIFS », absente"),
            std::string::npos)
      << r.erreurs;
}

TEST_F(OutilsBoutEnBoutTest, RienNEstCreeSansBase) {
  Resultat r = Outils({"exporter", "cocktails"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("aucun fichier des cocktails"), std::string::npos);
  r = Outils({"lister", "resultats"});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.sortie.empty());
  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 0);
  EXPECT_TRUE(Contenu(".").empty());
}

TEST_F(OutilsBoutEnBoutTest, ErreursDUsageEtAide) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {},
           {"exporte", "tout"},
           {"exporter"},
           {"exporter", "pages"},
           {"lister", "familles", "cocktails"},
           {"importer"},
           {"verifier", "tout"},
           {"-q", "verifier"},
           {"--aid"},
           {"verifier", "-C"},
           {"importer", "a.csv", "b.csv"},
       }) {
    Resultat r = Outils(arguments);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(r.erreurs.find("velquor-outils --aide"), std::string::npos);
    EXPECT_TRUE(r.sortie.empty());
  }
  // A usage error is found before -C is followed.
  EXPECT_EQ(Outils({"-C", "/nulle/part", "lister"}).code, 2);
  EXPECT_EQ(Outils({"-C", "/nulle/part", "lister", "familles"}).code, 1);

  Resultat aide = Outils({"--aide"});
  EXPECT_EQ(aide.code, 0);
  EXPECT_NE(aide.sortie.find("importer FICHIER.csv"), std::string::npos);
  EXPECT_TRUE(Contenu(".").empty());
}

// reorganiser rebuilds every pair, keeps the old one as .bak and leaves a pair that is healthy
// and lists the same names; it refuses a pair that another program holds open.
TEST_F(OutilsBoutEnBoutTest, ReorganisationDeToutesLesPaires) {
  ASSERT_NO_FATAL_FAILURE(ImporterDemo());
  const std::string avant = Outils({"lister", "cocktails"}).sortie;

  Resultat r = Outils({"reorganiser", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("COCKTAIL réorganisé."), std::string::npos) << r.erreurs;
  EXPECT_NE(r.erreurs.find("après : 90 enregistrements, index 4230 octets, données 74978 octets, "
                           "profondeur 7"),
            std::string::npos)
      << r.erreurs;
  EXPECT_TRUE(fs::exists("COCKTAIL.NDX.bak"));
  EXPECT_FALSE(fs::exists("RESURECH.NDX")) << "an absent pair is not created";
  EXPECT_EQ(Outils({"lister", "cocktails"}).sortie, avant);
  r = Outils({"verifier"});
  EXPECT_EQ(r.code, 0) << r.erreurs;

  {
    FicCocktail ouvert;
    ASSERT_TRUE(ouvert.Ouvrir());
    r = Outils({"reorganiser", "cocktails"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.erreurs.find("ouvert par un autre programme"), std::string::npos) << r.erreurs;
  }
  EXPECT_EQ(Outils({"reorganiser", "cocktails"}).code, 0);
  EXPECT_EQ(Outils({"reorganiser", "pommes"}).code, 2);
}

}  // namespace
}  // namespace velquor
