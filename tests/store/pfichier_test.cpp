// The file pair: creation, opening, the header on disk, record transfer and the store's own
// error boxes.

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/chaines.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/ouverture.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using test::LireOctets;
namespace fs = std::filesystem;

class PFichierTest : public test::TestDansDossier {
 protected:
  test::EnregistreurVantor vantor_;
};

void AjouterFamille(FicFamille& f, std::string_view nom, std::string_view commentaire = "") {
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  CopierTexte(f.Enreg.Commentaire, commentaire);
  ASSERT_TRUE(f.Ajouter(nom)) << nom;
}

std::vector<unsigned char> Entete(const std::vector<unsigned char>& dat) {
  return {dat.begin(), dat.begin() + std::min<std::size_t>(8, dat.size())};
}

TEST_F(PFichierTest, CreationPuisOuvertureDonneUnEnteteNul) {
  FicFamille f;
  ASSERT_TRUE(f.Creer());
  EXPECT_EQ(fs::file_size("FAMILLE.NDX"), 0u);
  EXPECT_EQ(fs::file_size("FAMILLE.DAT"), 0u);
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(LireOctets("FAMILLE.DAT"), std::vector<unsigned char>(8, 0));
  EXPECT_EQ(fs::file_size("FAMILLE.NDX"), 0u);
  EXPECT_FALSE(f.Ouvrir()) << "an open object cannot be opened again";
  EXPECT_FALSE(f.Creer()) << "creation is exclusive";
  EXPECT_EQ(f.PtrEnreg, -1);
}

// A reader that must leave the files as they are: no header for a new data file, no write.
TEST_F(PFichierTest, OuvertEnLectureNEcritRien) {
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer());
    ASSERT_TRUE(f.OuvrirEnLecture());
    f.Enreg = {};
    EXPECT_FALSE(f.Ajouter("SOURS"));
    EXPECT_EQ(fs::file_size("FAMILLE.DAT"), 0u);
    f.Fermer();
    ASSERT_TRUE(f.Ouvrir());
    AjouterFamille(f, "SOURS");
  }
  const auto avant = LireOctets("FAMILLE.DAT");
  FicFamille f;
  ASSERT_TRUE(f.OuvrirEnLecture() && f.Chercher("SOURS"));
  EXPECT_FALSE(f.Modifier());
  EXPECT_FALSE(f.Supprimer());
  EXPECT_EQ(LireOctets("FAMILLE.DAT"), avant);
}

TEST_F(PFichierTest, CreerRefuseQuandLIndexExisteSansToucherAuxDonnees) {
  test::EcrireOctets("INGRED.NDX", {});
  FicIngredient f;
  EXPECT_FALSE(f.Creer());
  EXPECT_FALSE(fs::exists("INGRED.DAT"));

  test::EnregistreurMessages messages;
  EXPECT_FALSE(OuvrirCollection(f, messages));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].id, ChaineCreationImpossible);
  EXPECT_EQ(messages.messages[0].argument,
            "ingr\xE9"
            "dients");
  EXPECT_EQ(messages.messages[0].style, StyleArret);
  EXPECT_FALSE(f.Premier());
}

TEST_F(PFichierTest, ConventionDOuvertureCreeEnSilenceEtRouvre) {
  test::EnregistreurMessages messages;
  {
    FicCocktail resultat(BaseResultat);
    EXPECT_EQ(resultat.NomPluriel(), "r\xE9sultats");
    EXPECT_TRUE(OuvrirCollection(resultat, messages));
  }
  FicCocktail resultat(BaseResultat);
  EXPECT_TRUE(OuvrirCollection(resultat, messages));
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(LireOctets("RESURECH.DAT"), std::vector<unsigned char>(8, 0));
}

TEST_F(PFichierTest, EnteteApresAjoutsEtSuppression) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  AjouterFamille(f, "B");
  AjouterFamille(f, "A");
  AjouterFamille(f, "C");
  ASSERT_TRUE(f.Chercher("A"));
  ASSERT_TRUE(f.Supprimer());
  auto dat = LireOctets("FAMILLE.DAT");
  ASSERT_EQ(dat.size(), 8u + 3 * 282);
  EXPECT_EQ(Entete(dat), (std::vector<unsigned char>{2, 0, 0, 0, 1, 0, 0, 0}));

  // Deleting everything: the count falls to 0, deletions keep counting, nothing shrinks.
  ASSERT_TRUE(f.Premier() && f.Supprimer());
  ASSERT_TRUE(f.Premier() && f.Supprimer());
  EXPECT_FALSE(f.Premier());
  dat = LireOctets("FAMILLE.DAT");
  EXPECT_EQ(Entete(dat), (std::vector<unsigned char>{0, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_EQ(dat.size(), 8u + 3 * 282);
  EXPECT_EQ(fs::file_size("FAMILLE.NDX"), 3u * 47);
}

TEST_F(PFichierTest, ModifierReecritLEnregistrementCourant) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  EXPECT_FALSE(f.Modifier()) << "empty collection: false, no message";
  EXPECT_TRUE(vantor_.textes.empty());

  AjouterFamille(f, "SOURS", "un commentaire assez long");
  AjouterFamille(f, "FIZZ");
  ASSERT_TRUE(f.Chercher("SOURS"));
  CopierTexte(f.Enreg.Commentaire, "court");
  ASSERT_TRUE(f.Modifier());
  auto dat = LireOctets("FAMILLE.DAT");
  std::vector<unsigned char> attendu(282, 0);
  std::copy_n("SOURS", 5, attendu.begin());
  std::copy_n("court", 5, attendu.begin() + 31);
  EXPECT_EQ(std::vector<unsigned char>(dat.begin() + 8, dat.begin() + 8 + 282), attendu)
      << "no trace of the longer comment may stay";
}

TEST_F(PFichierTest, LesTextesDErreurHorsPosition) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  AjouterFamille(f, "A");
  AjouterFamille(f, "B");
  ASSERT_TRUE(f.Chercher("A") && f.Supprimer());
  EXPECT_TRUE(f.Supprimer()) << "a second deletion in a row shows 301 and returns true";
  EXPECT_TRUE(f.Modifier()) << "201, and true";
  EXPECT_FALSE(f.Suivant());
  EXPECT_FALSE(f.Precedent());
  f.Lire();
  f.Erreur(999);
  EXPECT_EQ(vantor_.textes,
            (std::vector<std::string>{
                "Erreur en suppression\n\nPointeur d'enregistrement non positionné !",
                "Erreur en modification\n\nPointeur d'enregistrement non positionné !",
                "Erreur en parcours du fichier\n\nPointeur d'enregistrement non positionné !",
                "Erreur en parcours du fichier\n\nPointeur d'enregistrement non positionné !",
                "Erreur en lecture\n\nPointeur d'enregistrement non positionné !"}));
}

TEST_F(PFichierTest, UneCollectionFermeeNeTrouveRien) {
  FicCocktail c;
  EXPECT_FALSE(c.Premier());
  EXPECT_FALSE(c.Chercher("X"));
  EXPECT_FALSE(c.Ajouter("X"));
  EXPECT_FALSE(c.Supprimer());
  EXPECT_FALSE(fs::exists("COCKTAIL.NDX"));
  EXPECT_TRUE(vantor_.textes.empty());
}

TEST(ChainesTest, FormatageSansInterpretationDeLArgument) {
  EXPECT_EQ(FormaterChaine(TexteChaine(ChaineSuppressionIngredient), "GIN %s %d"),
            "Suppression de l'ingrédient GIN %s %d ?");
  EXPECT_EQ(TexteChaine(12345), nullptr);
}

}  // namespace
}  // namespace velquor
