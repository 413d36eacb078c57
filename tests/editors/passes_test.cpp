// The consistency passes run from the editors: the cocktails rewritten under the progress window
// captioned for the check, with no stop button, over a disabled editor; a pass that fails beeps.

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/liste.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

using Noms = std::vector<std::string>;

class Passes : public test::EditeursTest {
 protected:
  void SetUp() override {
    test::CreerFamilles({{"DIGESTIF", "Après."}, {"SOURS"}});
    test::CreerCocktails(
        {{"ALEXANDER", "DIGESTIF"}, {"SIDECAR", "SOURS"}, {"WHITE LADY", "Digestif"}});
  }
};

TEST_F(Passes, RenommerUneFamilleRecritLesCocktailsSousLaFenetreDeProgression) {
  PEditeurDlg* editeur = Ouvrir(102);
  ASSERT_NE(editeur, nullptr);
  test::ObservateurPasse observateur(editeur);
  {
    test::PiloteModal pilote(test::RepondreNom("digestifs"));
    EXPECT_TRUE(Envoyer(106));  // DIGESTIF is the first entry
  }
  Noms familles;
  for (const std::string& nom : test::NomsCocktails())
    familles.emplace_back(Texte(test::LireCocktail(nom)->Famille));
  EXPECT_EQ(familles, (Noms{"DIGESTIFS", "SOURS", "Digestif"}));
  EXPECT_EQ(observateur.observations, 3);
  EXPECT_EQ(observateur.legende, "Contrôle de cohérence dans la base des recettes");
  EXPECT_FALSE(observateur.arretVisible);
  EXPECT_FALSE(observateur.editeurActif);
  EXPECT_TRUE(editeur->isEnabled());
  EXPECT_EQ(editeur->NomSelectionne(), "DIGESTIFS");
}

// The cocktail pair cannot be opened: the rename is made, the cocktails cannot follow, and the
// user hears it.
TEST_F(Passes, UnePasseQuiEchoueBipe) {
  std::filesystem::remove("COCKTAIL.NDX");
  std::filesystem::create_directory("COCKTAIL.NDX");
  ASSERT_NE(Ouvrir(102), nullptr);
  {
    test::PiloteModal pilote(test::RepondreNom("apres"));
    EXPECT_TRUE(Envoyer(106));
  }
  EXPECT_EQ(test::NomsFamilles(), (Noms{"APRES", "SOURS"}));
  EXPECT_EQ(repondeur_.bips, 1);
}

}  // namespace
}  // namespace velquor
