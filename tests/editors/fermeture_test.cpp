// A change typed into a field is never lost: when the view goes (another view opened, the view
// deleted, the program quitting) while the changed field still has the focus, the change is
// written first, exactly as leaving the field would write it.

#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "editors/cocktail_dlg.h"
#include "framework/edition.h"
#include "search/cb_assist.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"
#include "support_ui/clavier.h"

namespace velquor {
namespace {

class Fermeture : public test::EditeursTest {
 protected:
  void SetUp() override {
    test::CreerFamilles({{"DIGESTIF", "Après."}});
    test::CreerIngredients({{"COGNAC", true}});
    test::CreerCocktails({{"STINGER", "DIGESTIF", {"COGNAC"}, {"5 cl"}}});
  }
  void TaperCommentaire(const QString& texte) {
    auto* commentaire = Editeur()->Controle<PEditionMulti>(PEditeurDlg::IdCommentaire);
    Focaliser(commentaire);
    commentaire->selectAll();
    test::Taper(commentaire, texte);
    ASSERT_TRUE(Editeur()->Modifie());
    ASSERT_TRUE(commentaire->hasFocus());
  }
  std::string Commentaire() {
    return std::string(Texte(test::LireFamille("DIGESTIF")->Commentaire));
  }
};

TEST_F(Fermeture, OuvrirUneAutreVueOuDetruireLaVueEcritDAbordLeChampModifie) {
  ASSERT_NE(Ouvrir(102), nullptr);
  TaperCommentaire("Sec");
  ASSERT_NE(Ouvrir(101), nullptr);
  EXPECT_EQ(Commentaire(), "Sec");
  ASSERT_NE(Ouvrir(102), nullptr);
  TaperCommentaire("Doux");
  delete Vue();  // no question asked
  EXPECT_EQ(Commentaire(), "Doux");
  EXPECT_EQ(repondeur_.bips, 0);
}

TEST_F(Fermeture, LeCocktailEcritSaLigneEtCreeLIngredientAvantDeFermer) {
  auto* dlg = dynamic_cast<TCocktailDlg*>(Ouvrir(103));
  ASSERT_NE(dlg, nullptr);
  CbAssist* combo = dlg->Ingredient(1);
  Focaliser(combo);
  test::Taper(combo->lineEdit(), "menthe");
  repondeur_.reponses = {ReponseOui};
  ASSERT_NE(Ouvrir(102), nullptr);
  ASSERT_EQ(repondeur_.boites.size(), 1u);
  EXPECT_EQ(test::LireIngredient("MENTHE").value_or(EnrIngredient{}).Alcool, 1);
  EXPECT_EQ(Texte(test::LireCocktail("STINGER")->Ingredient[1]), "MENTHE");
}

TEST_F(Fermeture, QuitterLeProgrammeEcritLeChampModifie) {
  ASSERT_NE(Ouvrir(102), nullptr);
  TaperCommentaire("Fort");
  // The program's loop: the exit command closes the main window, which ends the loop.
  QTimer::singleShot(0, [this] { Envoyer(24310); });
  QTimer garde;
  garde.setSingleShot(true);
  QObject::connect(&garde, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  garde.start(10000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_EQ(Commentaire(), "Fort");
}

}  // namespace
}  // namespace velquor
