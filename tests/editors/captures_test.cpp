// Pictures of the three editors with data, for people to look at (build/screenshots/).

#include <gtest/gtest.h>

#include "editors/cocktail_dlg.h"
#include "framework/liste.h"
#include "support_editeurs.h"
#include "support_ui/capture.h"

namespace velquor {
namespace {

class Captures : public test::EditeursTest {
 protected:
  void SetUp() override {
    test::CreerFamilles({{"APÉRITIF", "Avant le repas, pour ouvrir l'appétit."},
                         {"DIGESTIF", "Après le repas."},
                         {"LONG DRINK", "Allongé d'eau gazeuse ou de jus."},
                         {"SHORT DRINK"}});
    test::CreerIngredients({{"CITRON", false, "Jus de citron frais pressé."},
                            {"COINTREAU", true, "Liqueur d'écorces d'oranges, 40 % vol."},
                            {"GIN", true, "Eau-de-vie de grain aromatisée au genièvre."},
                            {"GLACE", false},
                            {"GRENADINE", false, "Sirop de grenade."},
                            {"SUCRE DE CANNE", false},
                            {"TEQUILA", true},
                            {"TRIPLE SEC", true}});
    test::CreerCocktails(
        {{"MARGARITA",
          "SHORT DRINK",
          {"TEQUILA", "COINTREAU", "CITRON", "", "GLACE"},
          {"5 cl", "2 cl", "1,5 cl", "", test::Cp("3 glaçons")},
          test::Cp("Givrer le bord du verre de sel. Frapper au shaker et servir sans la glace.")},
         {"WHITE LADY", "SHORT DRINK", {"GIN", "TRIPLE SEC", "CITRON"}, {"4 cl", "3 cl", "2 cl"}},
         {"TOM COLLINS",
          "LONG DRINK",
          {"GIN", "CITRON", "SUCRE DE CANNE"},
          {"4 cl", "3 cl", "1 cl"}}});
  }
};

TEST_F(Captures, LesTroisEditeursAvecDesDonnees) {
  ASSERT_NE(Ouvrir(102), nullptr);
  EXPECT_FALSE(test::EnregistrerCapture(cadre_.get(), "editeur_familles").isEmpty());
  PEditeurDlg* editeur = Ouvrir(101);
  ASSERT_NE(editeur, nullptr);
  editeur->Liste()->SelectionnerIndex(1);
  editeur->Afficher();
  EXPECT_FALSE(test::EnregistrerCapture(cadre_.get(), "editeur_ingredients").isEmpty());
  editeur = Ouvrir(103);
  ASSERT_NE(editeur, nullptr);
  EXPECT_FALSE(test::EnregistrerCapture(cadre_.get(), "editeur_cocktails").isEmpty());
  EXPECT_FALSE(test::EnregistrerCapture(editeur, "editeur_cocktails_dialogue").isEmpty());
}

}  // namespace
}  // namespace velquor
