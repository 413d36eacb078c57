// The commands that change files, stopped as a kill would right after each of their
// file-changing system calls in turn (a preloaded library counts them), then the next start of
// the companion: at every stop every pair is whole or absent, and the folder holds what it held
// before the command or what the whole command leaves, byte for byte, never a mix (a command
// that creates pairs may also leave those it made, empty); and the same command run again
// leaves what the whole command leaves (older backups included). Then a full
// disk, two imports at once beside a reading program, and a start meeting a rebuild under way.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "cli/support_outils.h"
#include "store/champ_texte.h"
#include "store/fichier_brut.h"
#include "store/remplacement_paire.h"
#include "support/processus.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::Outils;
using Etat = std::map<std::string, std::vector<unsigned char>>;

// Every file under the folder but the CSV files, by path; or only `seul`.
Etat LireEtat(const std::string& seul = {}) {
  Etat etat;
  for (const auto& e : fs::recursive_directory_iterator(".")) {
    if (e.is_regular_file() && e.path().extension() != ".csv" &&
        (seul.empty() || e.path() == fs::path(".") / seul))
      etat[e.path().string()] = test::LireOctets(e.path());
  }
  return etat;
}

// n cocktails named <prefixe>1.., each of two rows naming a family and ingredients of its own
// batch and one shared by every batch.
void EcrireCsv(const std::string& chemin, const std::string& prefixe, int n) {
  std::ofstream csv(chemin);
  csv << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n";
  for (int i = 1; i <= n; ++i) {
    const std::string nom = prefixe + std::to_string(i);
    csv << nom << ",Famille " << prefixe << i % 7 << ",4 cl,Rhum " << prefixe << i % 11
        << ",oui,Remarques de " << nom << "\n";
    csv << nom << ",,1 trait,Citron vert,non,\n";
  }
}

// The collections before an import: a first import, and the file of the next one.
void PreparerImport() {
  EcrireCsv("avant.csv", "AVANT ", 30);
  ASSERT_EQ(Outils({"importer", "avant.csv"}).code, 0);
  EcrireCsv("ajout.csv", "AJOUT ", 12);
}

// Dead nodes and records to rebuild, and an older backup holding a recipe the pair lacks.
void PreparerReorganisation() {
  PreparerImport();
  ASSERT_EQ(Outils({"importer", "ajout.csv"}).code, 0);
  for (const char* extension : {".NDX", ".DAT"})
    fs::copy_file(std::string("COCKTAIL") + extension,
                  std::string("COCKTAIL") + extension + ".bak");
  FicCocktail f;
  ASSERT_TRUE(f.Ouvrir());
  for (int i : {1, 5, 9, 22})
    ASSERT_TRUE(f.Chercher("AVANT " + std::to_string(i)) && f.Supprimer());
}

// A menu of a search's result, to be written again with every cocktail.
void PreparerCarte() {
  PreparerImport();
  ASSERT_EQ(Outils({"rechercher", "nom", "avant 1"}).code, 0);
  ASSERT_EQ(Outils({"exporter", "menu"}).code, 0);
}

struct Commande {
  std::function<void()> preparer;
  std::vector<std::string> arguments;
  std::string seul = {};  // the one file compared (a stopped export leaves its temporary file)
  bool creation = false;  // it creates pairs
};

const Commande Commandes[] = {
    {PreparerImport, {"importer", "ajout.csv"}},
    {[] { EcrireCsv("ajout.csv", "AJOUT ", 12); }, {"importer", "ajout.csv"}, {}, true},
    {PreparerImport, {"rechercher", "nom", ""}, {}, true},
    {PreparerReorganisation, {"reorganiser", "cocktails"}},
    {PreparerCarte, {"exporter", "menu", "--tout"}, "web/menu.html"},
};

class InterruptionTest : public test::TestDansDossier {};

TEST_F(InterruptionTest, UnArretAChaqueAppelLaisseLAvantOuLApres) {
  if (test::EnvironnementArret(1).empty()) GTEST_SKIP() << "no preloaded library";
  const fs::path racine = fs::current_path();
  const std::string compte = (racine / "compte").string();
  for (const Commande& commande : Commandes) {
    SCOPED_TRACE(commande.arguments[0]);
    const auto dossier = [&](const std::string& nom) {
      fs::current_path(racine);
      fs::copy("modele", std::to_string(&commande - Commandes) + nom, fs::copy_options::recursive);
      fs::current_path(std::to_string(&commande - Commandes) + nom);
    };
    fs::current_path(racine);
    fs::remove_all("modele");
    fs::create_directory("modele");
    fs::current_path("modele");
    ASSERT_NO_FATAL_FAILURE(commande.preparer());
    const Etat avant = LireEtat(commande.seul);
    dossier(" entier");
    ASSERT_EQ(Outils(commande.arguments, test::EnvironnementArret(0, compte)).code, 0);
    const Etat apres = LireEtat(commande.seul);
    ASSERT_NE(apres, avant);
    const long appels = std::stol(test::LireTexte(compte));

    int anciens = 0, nouveaux = 0;
    for (long n = 1; n <= appels; ++n) {
      SCOPED_TRACE("stop after call " + std::to_string(n));
      dossier(" " + std::to_string(n));
      if (!Outils(commande.arguments, test::EnvironnementArret(n)).tue) break;
      const test::Execution verification = Outils({"verifier"});
      EXPECT_EQ(verification.code, 0) << verification.erreurs;
      for (const std::string base : {"FAMILLE", "INGRED", "COCKTAIL", "RESURECH"}) {
        const bool index = fs::exists(base + ".NDX"), donnees = fs::exists(base + ".DAT");
        EXPECT_TRUE(index == donnees && (!donnees || fs::file_size(base + ".DAT") >= 8)) << base;
      }
      const Etat etat = LireEtat(commande.seul);
      EXPECT_TRUE(etat == avant || etat == apres || commande.creation) << "a mix";
      (etat == apres ? nouveaux : anciens)++;
      if (etat != apres) {
        const test::Execution encore = Outils(commande.arguments);
        EXPECT_EQ(encore.code, 0) << encore.erreurs;
        EXPECT_TRUE(LireEtat(commande.seul) == apres) << "run again";
      }
      if (HasFailure()) break;
    }
    EXPECT_GT(anciens, 0);
    EXPECT_GT(nouveaux, 0);
  }
  fs::current_path(racine);
}

TEST_F(InterruptionTest, UnDisquePleinLaisseToutCommeAvant) {
  ASSERT_NO_FATAL_FAILURE(PreparerImport());
  const Etat avant = LireEtat();
  // Room for a few more cocktail records, not for the twelve.
  const auto limite = static_cast<long long>(fs::file_size("COCKTAIL.DAT") + 5 * 833);
  EXPECT_EQ(test::ExecuterDisqueLimite(VELQUOR_OUTILS, {"importer", "ajout.csv"}, limite), 1);
  EXPECT_TRUE(LireEtat() == avant) << "the failed import changed the folder";
  ASSERT_EQ(Outils({"importer", "ajout.csv"}).code, 0);
  EXPECT_EQ((fs::file_size("COCKTAIL.DAT") - 8) % 833, 0u);
}

// While the program has the cocktails open, an import is refused at once and changes nothing.
TEST_F(InterruptionTest, UnImportEstRefuseQuandLeProgrammeTientLaPaire) {
  ASSERT_NO_FATAL_FAILURE(PreparerImport());
  const Etat avant = LireEtat();
  test::Processus programme([](const test::Canal& c) {
    FicCocktail cocktails;
    if (!cocktails.Ouvrir()) return 1;
    c.Envoyer('o');
    return c.Attendre('f') ? 0 : 2;
  });
  ASSERT_TRUE(programme.Vers().Attendre('o'));
  const test::Execution r = Outils({"importer", "ajout.csv"});
  programme.Vers().Envoyer('f');
  EXPECT_EQ(programme.Fin(), 0);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("ouvert par un autre programme"), std::string::npos) << r.erreurs;
  EXPECT_TRUE(LireEtat() == avant) << "the refused import changed the folder";
}

// Two imports started together, and a program opening the cocktails meanwhile: each import
// lands whole or is refused whole, and the program sees the cocktails before or after an import,
// never half of one.
TEST_F(InterruptionTest, DeuxImportsEtUnLecteurEnMemeTemps) {
  ASSERT_NO_FATAL_FAILURE(PreparerImport());
  EcrireCsv("grand.csv", "GRAND ", 2000);
  const auto lancer = [](const char* csv) {
    return std::make_unique<test::Processus>([csv](const test::Canal&) {
      const test::Execution r = test::Executer(VELQUOR_OUTILS, {"importer", csv});
      return r.code == 0                                                            ? 0
             : r.erreurs.find("ouvert par un autre programme") != std::string::npos ? 3
                                                                                    : 1;
    });
  };
  auto grand = lancer("grand.csv");
  auto petit = lancer("ajout.csv");
  test::Processus lecteur([](const test::Canal&) {
    FicCocktail cocktails;
    if (!cocktails.Ouvrir()) return 1;
    cocktails.LireEntete();
    const int n = cocktails.NbEnreg;
    return n == 30 || n == 42 || n == 2030 || n == 2042 ? 0 : 2;
  });
  const int codeGrand = grand->Fin(120000), codePetit = petit->Fin(120000);
  EXPECT_EQ(lecteur.Fin(), 0) << "a program saw half an import";
  ASSERT_TRUE(codeGrand == 0 || codeGrand == 3) << codeGrand;
  ASSERT_TRUE(codePetit == 0 || codePetit == 3) << codePetit;
  FicCocktail cocktails;
  ASSERT_TRUE(cocktails.Ouvrir());
  cocktails.LireEntete();
  EXPECT_EQ(cocktails.NbEnreg, 30 + (codeGrand == 0 ? 2000 : 0) + (codePetit == 0 ? 12 : 0));
  EXPECT_EQ(cocktails.Chercher("GRAND 2000"), codeGrand == 0);
  EXPECT_EQ(cocktails.Chercher("AJOUT 12"), codePetit == 0);
  cocktails.Fermer();
  const test::Execution verification = Outils({"verifier"});
  EXPECT_EQ(verification.code, 0) << verification.erreurs;
}

// A start that finds the unfinished new files of a rebuild leaves them to the rebuild while it
// holds the pair's lock, and removes them once nobody does.
TEST_F(InterruptionTest, LesFichiersDUneReconstructionEnCoursSontLaisses) {
  {
    FicCocktail f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    CopierTexte(f.Enreg.Nom, "MOJITO");
    ASSERT_TRUE(f.Ajouter("MOJITO"));
  }
  fs::create_directory(DossierRemplacement);
  fs::copy_file("COCKTAIL.DAT", CheminNouveau("COCKTAIL", "DAT"));
  {
    FichierBrut verrou;
    ASSERT_TRUE(verrou.OuvrirExistant("COCKTAIL.NDX") && verrou.VerrouillerExclusifSansAttendre());
    EXPECT_TRUE(ReprendreRemplacements().empty());
    EXPECT_TRUE(fs::exists(CheminNouveau("COCKTAIL", "DAT")));
  }
  const auto reprises = ReprendreRemplacements();
  ASSERT_EQ(reprises.size(), 1u);
  EXPECT_EQ(reprises[0].issue, RepriseRemplacement::Issue::Abandonnee);
  EXPECT_FALSE(fs::exists(DossierRemplacement));
  FicCocktail f;
  EXPECT_TRUE(f.Ouvrir() && f.Chercher("MOJITO"));
}

}  // namespace
}  // namespace velquor
