// The file pair: creation, opening, the header on disk and the store's own error boxes.

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/chaines.h"
#include "store/collections.h"
#include "store/ouverture.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/paires.h"

namespace velquor {
namespace {

using test::LireOctets;
using Octets = std::vector<unsigned char>;
namespace fs = std::filesystem;

class PFichierTest : public test::TestDansDossier {
 protected:
  test::EnregistreurVantor vantor_;
};

Octets Entete() {
  const Octets dat = LireOctets("FAMILLE.DAT");
  return {dat.begin(), dat.begin() + std::min<std::size_t>(8, dat.size())};
}

// The header counts the live records and every deletion ever made; nothing shrinks.
TEST_F(PFichierTest, EnteteDeLaCreationALaSuppression) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  EXPECT_EQ(Entete(), Octets(8, 0));
  EXPECT_FALSE(f.Ouvrir() || f.Creer()) << "opened twice, or created over a pair";
  for (const char* nom : {"B", "A", "C"})
    ASSERT_TRUE(test::AjouterNom(f, nom));
  ASSERT_TRUE(f.Chercher("A") && f.Supprimer());
  EXPECT_EQ(Entete(), (Octets{2, 0, 0, 0, 1, 0, 0, 0}));
  ASSERT_TRUE(f.Premier() && f.Supprimer() && f.Premier() && f.Supprimer());
  EXPECT_EQ(Entete(), (Octets{0, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_EQ(fs::file_size("FAMILLE.DAT"), 8u + 3 * 282);
  EXPECT_EQ(fs::file_size("FAMILLE.NDX"), 3u * 47);
}

// A reader leaves the files as they are: no header for a new data file, no write.
TEST_F(PFichierTest, OuvertEnLectureNEcritRien) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.OuvrirEnLecture());
  EXPECT_FALSE(test::AjouterNom(f, "SOURS"));
  EXPECT_EQ(fs::file_size("FAMILLE.DAT"), 0u);
  f.Fermer();
  ASSERT_TRUE(f.Ouvrir() && test::AjouterNom(f, "SOURS"));
  f.Fermer();
  const auto avant = LireOctets("FAMILLE.DAT");
  ASSERT_TRUE(f.OuvrirEnLecture() && f.Chercher("SOURS"));
  EXPECT_FALSE(f.Modifier() || f.Supprimer());
  EXPECT_EQ(LireOctets("FAMILLE.DAT"), avant);
}

TEST_F(PFichierTest, CreationImpossibleAnnonceeSansToucherAuxDonnees) {
  test::EcrireOctets("INGRED.NDX", {});
  FicIngredient f;
  test::EnregistreurMessages messages;
  EXPECT_FALSE(OuvrirCollection(f, messages));
  EXPECT_FALSE(fs::exists("INGRED.DAT"));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].id, ChaineCreationImpossible);
  EXPECT_EQ(messages.messages[0].argument,
            "ingr\xE9"
            "dients");
  EXPECT_EQ(messages.messages[0].style, StyleArret);
}

TEST_F(PFichierTest, LesTextesDErreurHorsPosition) {
  FicFamille f;
  ASSERT_TRUE(test::CreerOuvrir(f) && test::AjouterNom(f, "A") && test::AjouterNom(f, "B"));
  ASSERT_TRUE(f.Chercher("A") && f.Supprimer());
  EXPECT_TRUE(f.Supprimer()) << "a second deletion in a row shows 301 and returns true";
  EXPECT_TRUE(f.Modifier()) << "201, and true";
  EXPECT_FALSE(f.Suivant());
  f.Lire();
  const std::string position = "\n\nPointeur d'enregistrement non positionné !";
  EXPECT_EQ(vantor_.textes,
            (std::vector<std::string>{
                "Erreur en suppression" + position, "Erreur en modification" + position,
                "Erreur en parcours du fichier" + position, "Erreur en lecture" + position}));
  EXPECT_EQ(FormaterChaine(TexteChaine(ChaineSuppressionIngredient), "GIN %s %d"),
            "Suppression de l'ingrédient GIN %s %d ?");
}

}  // namespace
}  // namespace velquor
