// The rebuild of a pair: every record the index reaches survives, in order, in a balanced tree
// without dead bytes that the checks find healthy.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "cli/reorganisation.h"
#include "cli/verification_paire.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::LireOctets;

// Name -> the record's bytes, as a walk of the collection gives them.
std::map<std::string, std::string> Contenu() {
  std::map<std::string, std::string> contenu;
  FicCocktail f;
  if (!f.Ouvrir()) return contenu;
  for (bool ok = f.Premier(); ok; ok = f.Suivant()) {
    contenu[std::string(Texte(f.Enreg.Nom))] =
        std::string(reinterpret_cast<const char*>(&f.Enreg), sizeof f.Enreg);
  }
  return contenu;
}

class ReorganisationTest : public test::TestDansDossier {
 protected:
  // Rewrites the pair's two files through `abimer`.
  template <class Fn>
  void Abimer(Fn abimer) {
    auto index = LireOctets("COCKTAIL.NDX");
    auto donnees = LireOctets("COCKTAIL.DAT");
    abimer(index, donnees);
    test::EcrireOctets("COCKTAIL.NDX", index);
    test::EcrireOctets("COCKTAIL.DAT", donnees);
  }

  // A chain of sorted additions with deletions in it: dead nodes and dead records.
  void SetUp() override {
    FicCocktail f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    for (int i = 0; i < 200; ++i) {
      const std::string nom = "COCKTAIL " + std::to_string(1000 + i);
      f.Enreg = {};
      CopierTexte(f.Enreg.Nom, nom);
      CopierTexte(f.Enreg.Remarques, "remarque " + std::to_string(i));
      CopierTexte(f.Enreg.Ingredient[i % 10], "GIN");
      ASSERT_TRUE(f.Ajouter(nom));
    }
    for (int i = 0; i < 200; i += 7) {
      ASSERT_TRUE(f.Chercher("COCKTAIL " + std::to_string(1000 + i)) && f.Supprimer());
    }
  }
};

TEST_F(ReorganisationTest, ToutSurvitDansUnArbreEquilibreSain) {
  const auto avant = Contenu();
  const auto ancienIndex = LireOctets("COCKTAIL.NDX");
  const auto anciennesDonnees = LireOctets("COCKTAIL.DAT");

  const auto bilan = outils::ReorganiserPaire(outils::PaireCocktail());
  ASSERT_TRUE(bilan.fait) << bilan.erreur;
  EXPECT_EQ(bilan.avant.profondeur, 171) << "a chain: one node per live name";
  EXPECT_EQ(bilan.apres.profondeur, 8);
  EXPECT_TRUE(bilan.remarques.empty());

  EXPECT_EQ(Contenu(), avant);
  EXPECT_EQ(fs::file_size("COCKTAIL.NDX"), avant.size() * 47);
  EXPECT_EQ(fs::file_size("COCKTAIL.DAT"), 8 + avant.size() * sizeof(EnrCocktail));
  EXPECT_EQ(LireOctets("COCKTAIL.NDX.bak"), ancienIndex);
  EXPECT_EQ(LireOctets("COCKTAIL.DAT.bak"), anciennesDonnees);
  EXPECT_FALSE(fs::exists(".velquor-reorganisation"));

  const auto rapport = outils::VerifierPaire(outils::PaireCocktail());
  EXPECT_EQ(rapport.nbDefauts, 0) << (rapport.defauts.empty() ? "" : rapport.defauts[0]);
  EXPECT_EQ(rapport.nbAtteints, static_cast<std::int64_t>(avant.size()));
}

TEST_F(ReorganisationTest, UnePaireOuverteEstRefusee) {
  const auto index = LireOctets("COCKTAIL.NDX");
  FicCocktail ouvert;
  ASSERT_TRUE(ouvert.Ouvrir());
  const auto bilan = outils::ReorganiserPaire(outils::PaireCocktail());
  EXPECT_FALSE(bilan.fait);
  EXPECT_TRUE(bilan.verrouillee);
  EXPECT_EQ(LireOctets("COCKTAIL.NDX"), index);
  EXPECT_FALSE(fs::exists("COCKTAIL.NDX.bak"));
}

// A parent link left wrong (a deletion stopped half-way) hides a name from the walks; the rebuild
// follows the child links and brings it back, and puts a record name that disagrees with its key
// right.
TEST_F(ReorganisationTest, RetrouveCeQueLesParcoursNeVoientPlus) {
  const auto avant = Contenu();
  Abimer([](auto& index, auto& donnees) {
    // The fourth node of the chain (COCKTAIL 1003) claims a parent it does not have.
    NoeudIndex n = NoeudIndex::DepuisOctets(index.data() + 3 * 47);
    n.Pere = 47 * 5;
    unsigned char brut[NoeudIndex::Taille];
    n.VersOctets(brut);
    std::copy(brut, brut + sizeof brut, index.begin() + 3 * 47);
    // And the last record's name field says something else.
    donnees[donnees.size() - sizeof(EnrCocktail)] = 'X';
  });
  ASSERT_LT(Contenu().size(), avant.size());

  const auto bilan = outils::ReorganiserPaire(outils::PaireCocktail());
  ASSERT_TRUE(bilan.fait) << bilan.erreur;
  EXPECT_EQ(bilan.remarques.size(), 1u);
  auto apres = Contenu();
  ASSERT_EQ(apres.size(), avant.size());
  for (const auto& [nom, octets] : avant)
    EXPECT_EQ(apres.count(nom), 1u) << nom;
  EXPECT_EQ(outils::VerifierPaire(outils::PaireCocktail()).nbDefauts, 0);
}

// Texts without their terminator — a key of 31 bytes, a remark filling its whole field — are
// cut so that the rebuilt pair is healthy; the record is kept.
TEST_F(ReorganisationTest, TextesSansFinCoupes) {
  Abimer([](auto& index, auto& donnees) {
    // The root's key (COCKTAIL 1001 since the first name was deleted) fills its 31 bytes.
    std::fill(index.begin() + 4 + 12, index.begin() + 4 + 31, 'Z');
    // The last record's remarks fill their field.
    const std::size_t dernier = donnees.size() - sizeof(EnrCocktail);
    std::fill(donnees.begin() + dernier + offsetof(EnrCocktail, Remarques),
              donnees.begin() + dernier + sizeof(EnrCocktail), 'r');
  });
  const std::size_t avant = Contenu().size();

  const auto bilan = outils::ReorganiserPaire(outils::PaireCocktail());
  ASSERT_TRUE(bilan.fait) << bilan.erreur;
  EXPECT_EQ(outils::VerifierPaire(outils::PaireCocktail()).nbDefauts, 0);
  const auto apres = Contenu();
  EXPECT_EQ(apres.size(), avant);
  EXPECT_EQ(apres.count("COCKTAIL 100" + std::string(18, 'Z')), 1u);
}

}  // namespace
}  // namespace velquor
