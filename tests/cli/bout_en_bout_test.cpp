// velquor-outils run as a user runs it: the built executable, in a fresh directory, with its exit
// status, its standard output and its messages.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/lecteur_csv.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "support/dossier_temporaire.h"

extern char** environ;

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::LireOctets;

struct Resultat {
  int code = -1;
  std::string sortie;
  std::string erreurs;
};

std::string Lire(const fs::path& chemin) {
  std::ifstream flux(chemin, std::ios::binary);
  std::ostringstream texte;
  texte << flux.rdbuf();
  return texte.str();
}

// Runs the companion in the current directory; its two output streams go to files kept outside
// it, so that the directory holds only what the companion wrote.
class Companion {
 public:
  Companion() {
    std::string modele = (fs::temp_directory_path() / "velquor-sorties-XXXXXX").string();
    if (::mkdtemp(modele.data()) != nullptr) sorties_ = modele;
  }
  ~Companion() {
    std::error_code e;
    fs::remove_all(sorties_, e);
  }

  Resultat Executer(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VELQUOR_OUTILS);
    std::vector<char*> argv;
    for (auto& a : arguments)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string sortie = (sorties_ / "sortie").string();
    const std::string erreurs = (sorties_ / "erreurs").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid;
    Resultat r;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
      int etat = 0;
      waitpid(pid, &etat, 0);
      r.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    r.sortie = Lire(sortie);
    r.erreurs = Lire(erreurs);
    return r;
  }

 private:
  fs::path sorties_;
};

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
  auto csv = outils::LireCsv(Lire(VELQUOR_DEMO_CSV));
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
  void ImporterDemo() { ASSERT_EQ(outils_.Executer({"importer", VELQUOR_DEMO_CSV}).code, 0); }
  Companion outils_;
};

TEST_F(OutilsBoutEnBoutTest, DemoImporteeVerifieeListeeExportee) {
  Resultat r = outils_.Executer({"importer", VELQUOR_DEMO_CSV});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("90 cocktails"), std::string::npos) << r.erreurs;

  r = outils_.Executer({"verifier"});
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("Base saine."), std::string::npos);

  r = outils_.Executer({"lister", "cocktails"});
  EXPECT_EQ(r.code, 0);
  std::vector<std::string> attendus = NomsDeLaDemo();
  ASSERT_EQ(attendus.size(), 90u);
  EXPECT_EQ(Lignes(r.sortie), attendus);
  EXPECT_NE(r.sortie.find("PIÑA COLADA\n"), std::string::npos);  // UTF-8, capitals

  r = outils_.Executer({"lister", "familles"});
  EXPECT_EQ(Lignes(r.sortie),
            (std::vector<std::string>{"APÉRITIFS", "AU VERRE À MÉLANGE", "DIGESTIFS", "LONG DRINKS",
                                      "PÉTILLANTS", "SHORT DRINKS", "SOURS", "TIKI ET PUNCHS"}));

  // The files are those of the program's own exports, which the hostile-text tests compare.
  r = outils_.Executer({"exporter", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_TRUE(fs::exists("web/recet090.html"));
  EXPECT_FALSE(fs::exists("web/recet091.html"));
  EXPECT_EQ(Lignes(Lire("Tux/COCKTAIL.SQL")).size(), 90u);

  // Importing the same file again keeps every name as it is and says so.
  auto avant = LireOctets("COCKTAIL.DAT");
  r = outils_.Executer({"importer", VELQUOR_DEMO_CSV});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.erreurs.find("Cocktail MOJITO déjà existant !"), std::string::npos);
  EXPECT_EQ(LireOctets("COCKTAIL.DAT"), avant);
}

TEST_F(OutilsBoutEnBoutTest, PaireAbimeeDetecteeSansEtreModifiee) {
  ASSERT_NO_FATAL_FAILURE(ImporterDemo());
  // The root's lesser link pointed back at the root itself.
  auto ndx = LireOctets("INGRED.NDX");
  for (int k = 0; k < 4; ++k)
    ndx[39 + k] = 0;
  test::EcrireOctets("INGRED.NDX", ndx);
  auto dat = LireOctets("INGRED.DAT");

  Resultat r = outils_.Executer({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("INGRED : "), std::string::npos);
  EXPECT_NE(r.erreurs.find("cycle"), std::string::npos) << r.erreurs;
  EXPECT_EQ(LireOctets("INGRED.NDX"), ndx);
  EXPECT_EQ(LireOctets("INGRED.DAT"), dat);
}

TEST_F(OutilsBoutEnBoutTest, ReferenceManquanteDetectee) {
  std::ofstream("mini.csv") << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
                               "Kir,Apéritifs,1 cl,Cassis,oui,\n";
  ASSERT_EQ(outils_.Executer({"importer", "mini.csv"}).code, 0);
  fs::remove("FAMILLE.NDX");
  fs::remove("FAMILLE.DAT");
  Resultat r = outils_.Executer({"verifier"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("le cocktail « KIR » nomme la famille « APÉRITIFS », absente"),
            std::string::npos)
      << r.erreurs;
}

TEST_F(OutilsBoutEnBoutTest, RienNEstCreeSansBase) {
  Resultat r = outils_.Executer({"exporter", "cocktails"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("aucun fichier des cocktails"), std::string::npos);
  r = outils_.Executer({"lister", "resultats"});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.sortie.empty());
  r = outils_.Executer({"verifier"});
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
    Resultat r = outils_.Executer(arguments);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(r.erreurs.find("velquor-outils --aide"), std::string::npos);
    EXPECT_TRUE(r.sortie.empty());
  }
  // A usage error is found before -C is followed.
  EXPECT_EQ(outils_.Executer({"-C", "/nulle/part", "lister"}).code, 2);
  EXPECT_EQ(outils_.Executer({"-C", "/nulle/part", "lister", "familles"}).code, 1);

  Resultat aide = outils_.Executer({"--aide"});
  EXPECT_EQ(aide.code, 0);
  EXPECT_NE(aide.sortie.find("importer FICHIER.csv"), std::string::npos);
  EXPECT_TRUE(Contenu(".").empty());
}

// reorganiser rebuilds every pair, keeps the old one as .bak and leaves a pair that is healthy
// and lists the same names; it refuses a pair that another program holds open.
TEST_F(OutilsBoutEnBoutTest, ReorganisationDeToutesLesPaires) {
  ASSERT_NO_FATAL_FAILURE(ImporterDemo());
  const std::string avant = outils_.Executer({"lister", "cocktails"}).sortie;

  Resultat r = outils_.Executer({"reorganiser", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(r.erreurs.find("COCKTAIL réorganisé."), std::string::npos) << r.erreurs;
  EXPECT_NE(r.erreurs.find("après : 90 enregistrements, index 4230 octets, données 74978 octets, "
                           "profondeur 7"),
            std::string::npos)
      << r.erreurs;
  EXPECT_TRUE(fs::exists("COCKTAIL.NDX.bak"));
  EXPECT_FALSE(fs::exists("RESURECH.NDX")) << "an absent pair is not created";
  EXPECT_EQ(outils_.Executer({"lister", "cocktails"}).sortie, avant);
  r = outils_.Executer({"verifier"});
  EXPECT_EQ(r.code, 0) << r.erreurs;

  {
    FicCocktail ouvert;
    ASSERT_TRUE(ouvert.Ouvrir());
    r = outils_.Executer({"reorganiser", "cocktails"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.erreurs.find("ouvert par un autre programme"), std::string::npos) << r.erreurs;
  }
  EXPECT_EQ(outils_.Executer({"reorganiser", "cocktails"}).code, 0);
  EXPECT_EQ(outils_.Executer({"reorganiser", "pommes"}).code, 2);
}

}  // namespace
}  // namespace velquor
