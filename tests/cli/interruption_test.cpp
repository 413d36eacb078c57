// reorganiser stopped as a kill would, right after each of its file-changing system calls in
// turn (a preloaded library counts them), then the next start of the companion, then the same
// rebuild run again. At every stop the recipes are the old pair's or the new pair's, byte for
// byte, never a mix; and a backup holding a recipe the pair lacks is never destroyed.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/fichier_brut.h"
#include "store/remplacement_paire.h"
#include "support/dossier_temporaire.h"
#include "support/execution.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::LireOctets;

// Name -> the record's 833 bytes, as the store's walk gives them.
std::map<std::string, std::string> Recettes(std::string_view base = BaseCocktail) {
  std::map<std::string, std::string> recettes;
  FicCocktail f(base);
  if (!f.Ouvrir()) return recettes;
  for (bool ok = f.Premier(); ok; ok = f.Suivant()) {
    recettes[std::string(Texte(f.Enreg.Nom))] =
        std::string(reinterpret_cast<const char*>(&f.Enreg), sizeof f.Enreg);
  }
  return recettes;
}

void Ajouter(FicCocktail& f, const std::string& nom, int graine) {
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  for (int k = 0; k < 1 + graine % 10; ++k) {
    CopierTexte(f.Enreg.Quantite[k], std::to_string(graine + k) + " cl");
    CopierTexte(f.Enreg.Ingredient[k],
                "INGR\xC9"
                "DIENT " +
                    std::to_string((graine * 7 + k) % 13));
  }
  CopierTexte(f.Enreg.Famille, "FAMILLE " + std::to_string(graine % 4));
  CopierTexte(f.Enreg.Remarques, "Remarque " + std::to_string(graine));
  ASSERT_TRUE(f.Ajouter(nom));
}

void Copier(const fs::path& de, const fs::path& vers) {
  fs::create_directories(vers);
  for (const auto& e : fs::directory_iterator(de))
    fs::copy_file(e.path(), vers / e.path().filename());
}

class InterruptionTest : public test::TestDansDossier {};

TEST_F(InterruptionTest, ReorganisationArreteeApresChaqueAppel) {
  if (test::EnvironnementArret(1).empty()) GTEST_SKIP() << "no preloaded library";
  const fs::path racine = fs::current_path();
  const fs::path modele = racine / "modele";
  fs::create_directory(modele);
  fs::current_path(modele);
  {
    // An older backup holding a recipe that the pair no longer has.
    FicCocktail ancien;
    ASSERT_TRUE(ancien.Creer() && ancien.Ouvrir());
    ASSERT_NO_FATAL_FAILURE(Ajouter(ancien, "ANCIEN", 3));
  }
  fs::rename("COCKTAIL.NDX", "COCKTAIL.NDX.bak");
  fs::rename("COCKTAIL.DAT", "COCKTAIL.DAT.bak");
  {
    // Dead nodes and records: deletions, a root deleted with both children.
    FicCocktail f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    for (int i = 0; i < 40; ++i)
      ASSERT_NO_FATAL_FAILURE(Ajouter(f, "COCKTAIL " + std::to_string((i * 17) % 40), i));
    for (int i : {0, 5, 9, 22, 31})
      ASSERT_TRUE(f.Chercher("COCKTAIL " + std::to_string(i)) && f.Supprimer());
  }
  {
    // The families and ingredients the recipes name.
    FicFamille familles;
    ASSERT_TRUE(familles.Creer() && familles.Ouvrir());
    for (int i = 0; i < 4; ++i) {
      familles.Enreg = {};
      CopierTexte(familles.Enreg.Nom, "FAMILLE " + std::to_string(i));
      ASSERT_TRUE(familles.Ajouter(Texte(familles.Enreg.Nom)));
    }
    FicIngredient ingredients;
    ASSERT_TRUE(ingredients.Creer() && ingredients.Ouvrir());
    for (int i = 0; i < 13; ++i) {
      ingredients.Enreg = {};
      CopierTexte(ingredients.Enreg.Nom,
                  "INGR\xC9"
                  "DIENT " +
                      std::to_string(i));
      ASSERT_TRUE(ingredients.Ajouter(Texte(ingredients.Enreg.Nom)));
    }
  }
  const auto recettes = Recettes();
  ASSERT_EQ(recettes.size(), 35u);
  const auto ancienIndex = LireOctets("COCKTAIL.NDX.bak");
  const auto anciennesDonnees = LireOctets("COCKTAIL.DAT.bak");

  const std::string Sain = "COCKTAIL : 35 cocktails, aucun défaut";
  const std::string compte = (racine / "compte").string();
  fs::current_path(racine);
  Copier(modele, "comptage");
  fs::current_path("comptage");
  ASSERT_EQ(test::Executer(VELQUOR_OUTILS, {"reorganiser", "cocktails"},
                           test::EnvironnementArret(0, compte))
                .code,
            0);
  const long appels = std::stol(test::LireTexte(compte));
  ASSERT_GT(appels, 4);

  for (long n = 1; n <= appels; ++n) {
    const std::string essai = "arret apres " + std::to_string(n) + " appels";
    SCOPED_TRACE(essai);
    fs::current_path(racine);
    Copier(modele, essai);
    fs::current_path(essai);
    auto r =
        test::Executer(VELQUOR_OUTILS, {"reorganiser", "cocktails"}, test::EnvironnementArret(n));
    if (!r.tue) break;  // past the last call (the count includes the report's own file)

    // A program already running opens the pair: it finds the old pair or the new one, whole.
    EXPECT_TRUE(Recettes() == recettes) << "opened by a running program";

    // The next start of the companion finds the old pair or the new one, whole.
    r = test::Executer(VELQUOR_OUTILS, {"verifier"});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    EXPECT_NE(r.erreurs.find(Sain), std::string::npos) << r.erreurs;
    EXPECT_TRUE(Recettes() == recettes);
    EXPECT_TRUE(LireOctets("COCKTAIL.NDX.bak") == ancienIndex);
    EXPECT_TRUE(LireOctets("COCKTAIL.DAT.bak") == anciennesDonnees);

    // Run again, it ends with the same recipes and still keeps the older backup.
    r = test::Executer(VELQUOR_OUTILS, {"reorganiser", "cocktails"});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    EXPECT_TRUE(Recettes() == recettes);
    EXPECT_TRUE(LireOctets("COCKTAIL.NDX.bak") == ancienIndex);
    EXPECT_TRUE(LireOctets("COCKTAIL.DAT.bak") == anciennesDonnees);
    if (HasFailure()) break;
  }
}

// A start that finds the unfinished new files of a rebuild leaves them to the rebuild while it
// holds the pair's lock, and removes them once nobody does.
TEST_F(InterruptionTest, LesFichiersDUneReconstructionEnCoursSontLaisses) {
  {
    FicCocktail f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    ASSERT_NO_FATAL_FAILURE(Ajouter(f, "MOJITO", 1));
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
  EXPECT_EQ(Recettes().size(), 1u);
}

}  // namespace
}  // namespace velquor
