// The consistency passes run from the family and ingredient editors: the cocktails rewritten,
// the progress window captioned for the check with no stop button over a disabled editor, and
// no command acting while the pass runs.

#include <QCloseEvent>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/barre_controle.h"
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

  std::string Famille(std::string_view cocktail) {
    return std::string(Texte(test::LireCocktail(cocktail)->Famille));
  }
  std::string Ingredient(std::string_view cocktail, int ligne) {
    return std::string(Texte(test::LireCocktail(cocktail)->Ingredient[ligne]));
  }
  std::string Quantite(std::string_view cocktail, int ligne) {
    return std::string(Texte(test::LireCocktail(cocktail)->Quantite[ligne]));
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
  EXPECT_EQ(Famille("ALEXANDER"), "DIGESTIFS");
  EXPECT_EQ(Famille("STINGER"), "DIGESTIFS");
  EXPECT_EQ(Famille("SIDECAR"), "SOURS");
  EXPECT_EQ(Famille("WHITE LADY"), "Digestif");  // names match exactly, case included
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

TEST_F(Passes, SupprimerUneFamilleVideLeChampFamille) {
  PEditeurDlg* editeur = Ouvrir(102);
  ASSERT_NE(editeur, nullptr);
  test::ObservateurPasse observateur(editeur);
  repondeur_.reponses = {ReponseOui};
  EXPECT_TRUE(Envoyer(105));
  EXPECT_EQ(Famille("ALEXANDER"), "");
  EXPECT_EQ(Famille("STINGER"), "");
  EXPECT_EQ(Famille("SIDECAR"), "SOURS");
  EXPECT_EQ(Texte(test::LireCocktail("ALEXANDER")->Remarques), "Secouer.");
  EXPECT_EQ(observateur.observations, 4);
  EXPECT_EQ(Entrees(editeur->Liste()), Noms{"SOURS"});
}

TEST_F(Passes, RenommerEtSupprimerUnIngredientRecriventChaqueLigne) {
  PEditeurDlg* editeur = Ouvrir(101);
  ASSERT_NE(editeur, nullptr);
  test::ObservateurPasse observateur(editeur);
  {
    test::PiloteModal pilote(test::RepondreNom("citron vert"));
    EXPECT_TRUE(Envoyer(106));  // CITRON is the first entry
  }
  EXPECT_EQ(Ingredient("SIDECAR", 1), "CITRON VERT");
  EXPECT_EQ(Ingredient("SIDECAR", 3), "CITRON VERT");
  EXPECT_EQ(Ingredient("WHITE LADY", 1), "Citron");
  EXPECT_EQ(observateur.legende, "Contrôle de cohérence dans la base des recettes");
  EXPECT_FALSE(observateur.arretVisible);
  EXPECT_FALSE(observateur.editeurActif);

  // Deleting COGNAC empties its slots and keeps their quantities.
  editeur->Liste()->SelectionnerIndex(1);
  ASSERT_EQ(editeur->NomSelectionne(), "COGNAC");
  repondeur_.reponses = {ReponseOui};
  EXPECT_TRUE(Envoyer(105));
  for (const char* cocktail : {"ALEXANDER", "SIDECAR", "STINGER"}) {
    EXPECT_EQ(Ingredient(cocktail, 0), "") << cocktail;
    EXPECT_EQ(Quantite(cocktail, 0), cocktail == std::string("ALEXANDER") ? "3 cl" : "5 cl");
  }
  EXPECT_EQ(Ingredient("ALEXANDER", 1), "CREME");
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"CITRON VERT", "GIN"}));
  EXPECT_EQ(editeur->NomSelectionne(), "CITRON VERT");
  EXPECT_EQ(observateur.observations, 8);
}

TEST_F(Passes, SansCocktailsAucunePasseNiFenetre) {
  fs::remove("COCKTAIL.NDX");
  fs::remove("COCKTAIL.DAT");
  PEditeurDlg* editeur = Ouvrir(102);
  ASSERT_NE(editeur, nullptr);
  test::ObservateurPasse observateur(editeur);
  {
    test::PiloteModal pilote(test::RepondreNom("apres"));
    EXPECT_TRUE(Envoyer(106));
  }
  repondeur_.reponses = {ReponseOui};
  EXPECT_TRUE(Envoyer(105));
  EXPECT_EQ(test::NomsFamilles(), Noms{"SOURS"});
  EXPECT_EQ(observateur.observations, 0);
  EXPECT_FALSE(fs::exists("COCKTAIL.NDX"));
  EXPECT_FALSE(fs::exists("COCKTAIL.DAT"));
}

TEST_F(Passes, AucuneCommandeNAgitPendantLaPasse) {
  // A toolbar gadget that opens the cocktail view, as the program's does.
  PBarreControle* barre = cadre_->AjouterBarreControle(QStringLiteral("Outils"));
  auto* gadget = new QToolButton;
  gadget->setFocusPolicy(Qt::NoFocus);
  barre->AjouterGadget(gadget, 103);
  QObject::connect(gadget, &QToolButton::clicked, barre, [barre] { barre->PosterCommande(103); });

  PEditeurDlg* editeur = Ouvrir(102);
  ASSERT_NE(editeur, nullptr);
  const int ouvertures = zone_->ouvertures;
  test::ObservateurPasse observateur(editeur, [&] {
    app_.Routeur().Poster(103);  // a menu command
    app_.Routeur().Poster(104);
    QTest::mouseClick(gadget, Qt::LeftButton);
    QTest::keyClick(cadre_.get(), Qt::Key_Escape);
    // The frame's close box, as the window system sends it.
    QCloseEvent fermeture;
    QSpontaneKeyEvent::setSpontaneous(&fermeture);
    QApplication::sendEvent(cadre_->windowHandle(), &fermeture);
  });
  {
    test::PiloteModal pilote(test::RepondreNom("digestifs"));
    EXPECT_TRUE(Envoyer(106));
  }
  ASSERT_GT(observateur.observations, 1);
  QCoreApplication::processEvents();
  // Nothing was kept for later either.
  EXPECT_EQ(zone_->ouvertures, ouvertures);
  EXPECT_TRUE(cadre_->isVisible());
  EXPECT_EQ(Editeur(), editeur);
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"DIGESTIFS", "SOURS"}));
  EXPECT_EQ(repondeur_.bips, 0);

  // Once the pass is over, the gadget works again.
  QTest::mouseClick(gadget, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(zone_->ouvertures, ouvertures + 1);
}

}  // namespace
}  // namespace velquor
