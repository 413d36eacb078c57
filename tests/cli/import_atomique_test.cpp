// The import as the user meets it when things go wrong: a kill at any instant, a full disk, the
// window program holding the collections open, two imports at once. The whole import lands, or
// nothing of it; never a mix, never a damaged pair.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli/support_outils.h"
#include "support/processus.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

const char* const Fichiers[] = {"FAMILLE.NDX", "FAMILLE.DAT",  "INGRED.NDX",
                                "INGRED.DAT",  "COCKTAIL.NDX", "COCKTAIL.DAT"};

using Etat = std::map<std::string, std::vector<unsigned char>>;

Etat LireEtat() {
  Etat etat;
  for (const char* f : Fichiers)
    etat[f] = test::LireOctets(f);
  return etat;
}

// Everything but the six files and the CSV: journals or group files left behind.
std::vector<std::string> Restes() {
  std::vector<std::string> restes;
  for (const auto& e : fs::directory_iterator(".")) {
    const std::string nom = e.path().filename().string();
    if (nom.ends_with(".csv")) continue;
    if (std::find(std::begin(Fichiers), std::end(Fichiers), nom) == std::end(Fichiers))
      restes.push_back(nom);
  }
  return restes;
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

using test::Outils;

class ImportAtomique : public test::TestDansDossier {
 protected:
  // The collections before the import under test: a first import.
  void SetUp() override {
    EcrireCsv("avant.csv", "AVANT ", 30);
    ASSERT_EQ(Outils({"importer", "avant.csv"}).code, 0);
    EcrireCsv("ajout.csv", "AJOUT ", 12);
  }
};

TEST_F(ImportAtomique, UnArretAChaqueAppelLaisseLAncienneBaseOuLaNouvelle) {
  const Etat avant = LireEtat();
  const std::string compte = (dossier_.Chemin() / "compte").string();
  ASSERT_EQ(Outils({"importer", "ajout.csv"}, test::EnvironnementArret(0, compte)).code, 0);
  const Etat apres = LireEtat();
  const long appels = std::stol(test::LireTexte(compte));
  fs::remove(compte);
  ASSERT_GT(appels, 5);

  int anciennes = 0, nouvelles = 0;
  for (long n = 1; n <= appels; ++n) {
    for (const char* f : Fichiers)
      test::EcrireOctets(f, avant.at(f));
    const test::Execution arrete = Outils({"importer", "ajout.csv"}, test::EnvironnementArret(n));
    ASSERT_TRUE(arrete.tue) << "call " << n << " of " << appels;
    // The next start of the companion puts the collections back in order.
    const test::Execution verification = Outils({"verifier"});
    const Etat etat = LireEtat();
    EXPECT_TRUE(etat == avant || etat == apres) << "a mix after a stop at call " << n;
    EXPECT_EQ(verification.code, 0) << "stop at call " << n << ":\n" << verification.erreurs;
    EXPECT_EQ(Restes(), std::vector<std::string>{}) << "stop at call " << n;
    (etat == avant ? anciennes : nouvelles)++;
  }
  // Stops before the landing and after it were both tried.
  EXPECT_GT(anciennes, 0);
  EXPECT_GT(nouvelles, 0);
}

TEST_F(ImportAtomique, UnDisquePleinLaisseChaqueCollectionCommeAvant) {
  const Etat avant = LireEtat();
  // Room for a few more cocktail records, not for the twelve.
  const auto limite = static_cast<long long>(avant.at("COCKTAIL.DAT").size() + 5 * 833);
  EXPECT_EQ(test::ExecuterDisqueLimite(VELQUOR_OUTILS, {"importer", "ajout.csv"}, limite), 1);
  EXPECT_TRUE(LireEtat() == avant) << "the failed import changed the collections";
  EXPECT_EQ(Restes(), std::vector<std::string>{});

  // Once there is room, the same import lands whole, every record on its boundary.
  ASSERT_EQ(Outils({"importer", "ajout.csv"}).code, 0);
  EXPECT_EQ((fs::file_size("COCKTAIL.DAT") - 8) % 833, 0u);
  const test::Execution verification = Outils({"verifier"});
  EXPECT_EQ(verification.code, 0) << verification.erreurs;
}

TEST_F(ImportAtomique, RefuseeQuandLeProgrammeALaCollectionOuverte) {
  const Etat avant = LireEtat();
  test::Processus programme([](const test::Canal& c) {
    FicCocktail cocktails;
    if (!cocktails.Ouvrir()) return 1;
    c.Envoyer('o');
    return c.Attendre('f') ? 0 : 2;
  });
  ASSERT_TRUE(programme.Vers().Attendre('o'));
  const test::Execution refus = Outils({"importer", "ajout.csv"});
  EXPECT_EQ(refus.code, 1);
  EXPECT_NE(refus.erreurs.find("COCKTAIL.NDX"), std::string::npos) << refus.erreurs;
  EXPECT_NE(refus.erreurs.find("ouvert par un autre programme"), std::string::npos);
  EXPECT_TRUE(LireEtat() == avant);
  programme.Vers().Envoyer('f');
  EXPECT_EQ(programme.Fin(), 0);
  EXPECT_EQ(Outils({"importer", "ajout.csv"}).code, 0);
}

// Two imports started together, and a program opening the cocktails meanwhile: each import
// lands whole or is refused whole, and the program sees the cocktails before or after an import,
// never half of one.
TEST_F(ImportAtomique, DeuxImportsEtUnLecteurEnMemeTemps) {
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
  for (const char* nom : {"GRAND 2000", "AJOUT 12"}) {
    const bool attendu = std::string(nom).starts_with("GRAND") ? codeGrand == 0 : codePetit == 0;
    EXPECT_EQ(cocktails.Chercher(nom), attendu) << nom;
  }
  cocktails.Fermer();
  const test::Execution verification = Outils({"verifier"});
  EXPECT_EQ(verification.code, 0) << verification.erreurs;
}

}  // namespace
}  // namespace velquor
