// Hostile cocktails in the results window: the list of the result pair, and for the selected
// cocktail its name, its composition lines, its family (plain text, never read as markup) and its
// remarks with their CR LF as line breaks; fields without a terminator shown as their whole
// width, no more.

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "fenetres_hostiles.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "jeu_hostile.h"
#include "search/resu_child.h"
#include "search/resu_dlg.h"
#include "store/collation.h"
#include "support/dossier_temporaire.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

using test::Montre;
using test::Octets;
using S = test::SansTerminateur;
using Lignes = std::vector<std::string>;

struct Attendu {
  std::string nom;
  Lignes composition;
  std::string famille;
  std::string remarques;
};

class ResultatsHostiles : public test::TestDansDossier {
 protected:
  void SetUp() override {
    test::EcrireJeu(true);
    test::EcrireSansTerminateur(true);
    vue_ = std::make_unique<TResuChild>();
    vue_->show();
    vue_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(vue_.get()));
    dlg_ = vue_->Dialogue();
    ASSERT_NE(dlg_, nullptr);
  }

  test::RepondeurScripte repondeur_;
  std::unique_ptr<TResuChild> vue_;
  TResuDlg* dlg_ = nullptr;
};

TEST_F(ResultatsHostiles, LeCocktailChoisiSAfficheTelQuIlEstStocke) {
  const std::string absinthe = test::IngredientFormat;
  const std::string glace = test::IngredientSansCommentaire;
  std::map<std::string, Attendu> attendus;
  attendus[test::CocktailFormat] = {
      test::CocktailFormat,
      {"1/2 <&> \"%s\"; 10%### d' " + absinthe, "12345678901234567890 " + test::Ingredient80,
       Octets(0x80, 0x93) + " de " + test::Ingredient90, Octets(0x8C, 0x9F) + " de " + glace,
       " d' " + absinthe, "%d%%%s de " + test::Ingredient80, " " + test::Ingredient90,
       "&amp;" + std::string(15, ';') + " de " + glace, std::string(20, '"') + " d' " + absinthe,
       "<%s>" + std::string(16, '>') + " de " + test::Ingredient90},
      test::FamilleFormat,
      test::Remarque250};
  // The first row without an ingredient ends the composition.
  attendus[test::Cocktail80] = {test::Cocktail80,
                                {"2 cl de " + test::Ingredient80, "%s d' " + absinthe},
                                test::Famille80,
                                "Une ligne\r\n\r\nune autre; \"%s\" & <fin>"};
  attendus[test::Cocktail90] = {test::Cocktail90,
                                {Octets(0x90, 0x9F) + "#### de " + test::Ingredient90},
                                test::Famille90,
                                test::Remarque125Sauts};
  attendus[S::Nom] = {S::Nom, {S::Quantite + " d' " + S::Ingredient}, S::Famille, S::Remarques};

  auto* liste = dlg_->Controle<PListe>(501);
  ASSERT_EQ(liste->NbElements(), 4);
  EXPECT_EQ(dlg_->Controle<QLabel>(555)->text(), QStringLiteral("Total 4 / Selection 4"));
  for (int i = 0; i < liste->NbElements(); ++i) {
    const std::string entree = liste->Chaine(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(liste->item(i)->text(), Montre(entree));
    if (i > 0) {
      EXPECT_LE(ComparerNomsSansCasse(liste->Chaine(i - 1), entree), 0);
    }
    ASSERT_EQ(attendus.count(entree), 1u);
    const Attendu& a = attendus.at(entree);

    test::Cliquer(liste, i);
    auto* titre = dlg_->Controle<QLabel>(502);
    EXPECT_EQ(titre->text(), Montre(a.nom));
    EXPECT_EQ(titre->textFormat(), Qt::PlainText);
    auto* composition = dlg_->Controle<PListe>(504);
    Lignes lignes;
    for (int k = 0; k < composition->NbElements(); ++k) {
      lignes.push_back(composition->Chaine(k));
      EXPECT_EQ(composition->item(k)->text(), Montre(lignes.back()));
    }
    EXPECT_EQ(lignes, a.composition);
    auto* famille = dlg_->Controle<QLabel>(505);
    EXPECT_EQ(famille->text(), Montre(a.famille));
    EXPECT_EQ(famille->textFormat(), Qt::PlainText);
    EXPECT_EQ(dlg_->Controle<PEditionMulti>(503)->toPlainText(), test::MontreMulti(a.remarques));
  }
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_TRUE(repondeur_.boites.empty());
}

}  // namespace
}  // namespace velquor
