// The consistency passes run from the family and ingredient editors: the cocktails rewritten,
// the progress window captioned for the check with no stop button over a disabled editor (no
// command acts while the pass runs: see the editors in the program, captures_test.cpp).

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/liste.h"
#include "framework/verrou_commandes.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::Entrees;
using Noms = std::vector<std::string>;

class Passes : public test::EditeursTest {
 protected:
  void SetUp() override {
    test::CreerFamilles({{"DIGESTIF", "Après."}, {"SOURS"}});
    test::CreerIngredients({{"CITRON"}, {"COGNAC", true}, {"GIN", true}});
    test::CreerCocktails({
        {"ALEXANDER", "DIGESTIF", {"COGNAC", "CREME"}, {"3 cl", "3 cl"}, "Secouer."},
        {"SIDECAR", "SOURS", {"COGNAC", "CITRON", "", "CITRON"}, {"5 cl", "2 cl", "", "1 zeste"}},
        {"STINGER", "DIGESTIF", {"COGNAC"}, {"5 cl"}},
        {"WHITE LADY", "Digestif", {"GIN", "Citron"}, {"4 cl", "2 cl"}},
    });
  }

  // The family of each cocktail, in name order.
  static Noms Familles() {
    Noms familles;
    for (const std::string& nom : test::NomsCocktails())
      familles.emplace_back(Texte(test::LireCocktail(nom)->Famille));
    return familles;
  }
  // A cocktail's rows as "quantity|ingredient", up to the last one filled.
  static Noms Lignes(std::string_view cocktail) {
    const EnrCocktail enr = test::LireCocktail(cocktail).value_or(EnrCocktail{});
    Noms lignes;
    for (int i = 0; i < NbLignesComposition; ++i)
      lignes.push_back(std::string(Texte(enr.Quantite[i])) + "|" +
                       std::string(Texte(enr.Ingredient[i])));
    while (!lignes.empty() && lignes.back() == "|")
      lignes.pop_back();
    return lignes;
  }
};

TEST_F(Passes, RenommerUneFamilleRecritLesCocktailsSousLaFenetreDeProgression) {
  PEditeurDlg* editeur = Ouvrir(102);
  ASSERT_NE(editeur, nullptr);
  bool verrouPendant = false;
  bool nouvelleActivePendant = true;
  test::ObservateurPasse observateur(editeur, [&] {
    verrouPendant = CommandesVerrouillees();
    nouvelleActivePendant = EstActive(104);
  });
  {
    test::PiloteModal pilote(test::RepondreNom("digestifs"));
    EXPECT_TRUE(Envoyer(106));
  }
  // Names match exactly, case included.
  EXPECT_EQ(Familles(), (Noms{"DIGESTIFS", "SOURS", "DIGESTIFS", "Digestif"}));
  EXPECT_EQ(Texte(test::LireFamille("DIGESTIFS")->Commentaire), "Apr\xE8s.");

  // One look per cocktail, each showing the window as it should be.
  EXPECT_EQ(observateur.observations, 4);
  EXPECT_EQ(observateur.legende, "Contrôle de cohérence dans la base des recettes");
  EXPECT_FALSE(observateur.arretVisible);
  EXPECT_FALSE(observateur.editeurActif);
  EXPECT_TRUE(verrouPendant);
  EXPECT_FALSE(nouvelleActivePendant);

  // Afterwards: the editor enabled again, the window gone, the list updated.
  EXPECT_TRUE(editeur->isEnabled());
  EXPECT_FALSE(CommandesVerrouillees());
  EXPECT_TRUE(EstActive(104));
  for (QWidget* fenetre : QApplication::topLevelWidgets())
    EXPECT_FALSE(fenetre->isVisible() && fenetre != cadre_.get())
        << fenetre->windowTitle().toStdString();
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"DIGESTIFS", "SOURS"}));
  EXPECT_EQ(editeur->NomSelectionne(), "DIGESTIFS");
  // The frame active again, the focus is back on the list.
  EXPECT_TRUE(QTest::qWaitForWindowActive(cadre_.get()));
  EXPECT_TRUE(editeur->Liste()->hasFocus());
}

// The deletions' passes, from the editors too: see the hostile names' tests.
TEST_F(Passes, RenommerUnIngredientRecritChaqueLigne) {
  PEditeurDlg* editeur = Ouvrir(101);
  ASSERT_NE(editeur, nullptr);
  test::ObservateurPasse observateur(editeur);
  {
    test::PiloteModal pilote(test::RepondreNom("citron vert"));
    EXPECT_TRUE(Envoyer(106));  // CITRON is the first entry
  }
  EXPECT_EQ(Lignes("SIDECAR"),
            (Noms{"5 cl|COGNAC", "2 cl|CITRON VERT", "|", "1 zeste|CITRON VERT"}));
  EXPECT_EQ(Lignes("WHITE LADY"), (Noms{"4 cl|GIN", "2 cl|Citron"}));
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"CITRON VERT", "COGNAC", "GIN"}));
  EXPECT_EQ(editeur->NomSelectionne(), "CITRON VERT");
  EXPECT_EQ(observateur.observations, 4);
}

// The cocktail pair is there but cannot be opened: the rename is made, the cocktails cannot
// follow, and the user hears it.
TEST_F(Passes, UnePasseQuiEchoueBipe) {
  fs::remove("COCKTAIL.NDX");
  fs::create_directory("COCKTAIL.NDX");
  ASSERT_NE(Ouvrir(102), nullptr);
  {
    test::PiloteModal pilote(test::RepondreNom("apres"));
    EXPECT_TRUE(Envoyer(106));  // DIGESTIF is the first entry
  }
  EXPECT_EQ(test::NomsFamilles(), (Noms{"APRES", "SOURS"}));
  EXPECT_EQ(repondeur_.bips, 1);
}

}  // namespace
}  // namespace velquor
