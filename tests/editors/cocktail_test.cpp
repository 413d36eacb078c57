// SPDX-License-Identifier: GPL-3.0-or-later
// The cocktail editor keeps the names its lists do not hold when it writes a cocktail, and
// creates them, asking whether each new ingredient is alcoholic. A change typed into a field is
// never lost: when the view goes (another view opened, the view deleted, the program quitting)
// while the changed field still has the focus, it is written first, as leaving the field would.

#include <QTest>
#include <QTimer>

#include <cstring>

#include <gtest/gtest.h>

#include "fenetres_hostiles.h"
#include "search/cb_assist.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"

namespace velquor {
namespace {

using test::Lire;
using Noms = std::vector<std::string>;

class Cocktails : public test::EditeursTest {};

TEST_F(Cocktails, EcrireUnCocktailGardeLesNomsQueLesListesNOntPasEtLesCree) {
  test::CreerFamilles({{"SHORT DRINK"}});
  test::CreerIngredients({{"CITRON"}, {"GIN", true}, {"RHUM DE MELASSE MARTINIQUAIS"}});
  test::CreerCocktails({{"MARGARITA", "SHORT DRINK", {"CITRON"}, {"2 cl"}},
                        {"MYSTERE",
                         "INCONNUE",
                         {"GIN", "CURACAO", "citron", "", "RHUM DE MELASSE MARTINIQUAIS"},
                         {"4 cl", "1 cl", "1", "", "1 trait"}}});
  auto* dlg = dynamic_cast<TCocktailDlg*>(Ouvrir(103));
  ASSERT_NE(dlg, nullptr);
  const EnrCocktail avant = Lire<FicCocktail>("MYSTERE").value_or(EnrCocktail{});
  test::Cliquer(dlg->Liste(), 1);
  Focaliser(dlg->Quantite(3));
  test::Taper(dlg->Quantite(3), "1 zeste");
  repondeur_.reponses = {ReponseNon, ReponseOui};
  QTest::keyClick(dlg->Quantite(3), Qt::Key_Tab);

  EXPECT_EQ(test::Boites(repondeur_),
            (Noms{"? OuiNon Création d'un nouvel ingrédient : CURACAO\n\nCet ingrédient est-il "
                  "alcoolisé ?",
                  "? OuiNon Création d'un nouvel ingrédient : citron\n\nCet ingrédient est-il "
                  "alcoolisé ?"}));
  // The record is the stored one but for the quantity typed, byte for byte, its rows closed up:
  // the fifth row moves up over the fourth, which held no ingredient, and that one goes last.
  EnrCocktail attendu = avant;
  CopierTexte(attendu.Quantite[3], "1 trait");
  CopierTexte(attendu.Ingredient[3], "RHUM DE MELASSE MARTINIQUAIS");
  CopierTexte(attendu.Quantite[4], "1 zeste");
  CopierTexte(attendu.Ingredient[4], "");
  const EnrCocktail apres = Lire<FicCocktail>("MYSTERE").value_or(EnrCocktail{});
  EXPECT_EQ(std::memcmp(&apres, &attendu, sizeof(EnrCocktail)), 0);
  EXPECT_EQ(Lire<FicIngredient>("CURACAO").value_or(EnrIngredient{}).Alcool, 0);
  EXPECT_EQ(Lire<FicIngredient>("citron").value_or(EnrIngredient{}).Alcool, 1);
  EXPECT_EQ(test::Noms<FicFamille>(), (Noms{"INCONNUE", "SHORT DRINK"}));
  EXPECT_GE(dlg->Ingredient(5)->ChercherExact("CURACAO"), 0);
  // The window shows the rows where they now stand.
  EXPECT_EQ(dlg->Quantite(3)->TexteCp1252(), "1 trait");
  EXPECT_EQ(dlg->Quantite(4)->TexteCp1252(), "1 zeste");
}

class Fermeture : public test::EditeursTest {
 protected:
  void SetUp() override {
    test::CreerFamilles({{"DIGESTIF", "Après."}});
    test::CreerIngredients({{"COGNAC", true}});
    test::CreerCocktails({{"STINGER", "DIGESTIF", {"COGNAC"}, {"5 cl"}}});
  }
  void TaperCommentaire(const QString& texte) {
    Focaliser(Commentaire());
    Commentaire()->selectAll();
    test::Taper(Commentaire(), texte);
    ASSERT_TRUE(Editeur()->Modifie());
  }
  static std::string Stocke() {
    return std::string(Texte(Lire<FicFamille>("DIGESTIF")->Commentaire));
  }
};

TEST_F(Fermeture, OuvrirUneAutreVueOuDetruireLaVueEcritDAbordLeChampModifie) {
  ASSERT_NE(Ouvrir(102), nullptr);
  TaperCommentaire("Sec");
  ASSERT_NE(Ouvrir(101), nullptr);
  EXPECT_EQ(Stocke(), "Sec");
  ASSERT_NE(Ouvrir(102), nullptr);
  TaperCommentaire("Doux");
  delete Vue();  // no question asked
  EXPECT_EQ(Stocke(), "Doux");

  // The cocktail's ingredient line typed: it is written, its ingredient created, first.
  auto* dlg = dynamic_cast<TCocktailDlg*>(Ouvrir(103));
  ASSERT_NE(dlg, nullptr);
  Focaliser(dlg->Ingredient(1));
  test::Taper(dlg->Ingredient(1)->lineEdit(), "menthe");
  repondeur_.reponses = {ReponseOui};
  ASSERT_NE(Ouvrir(102), nullptr);
  EXPECT_EQ(repondeur_.boites.size(), 1u);
  EXPECT_EQ(Lire<FicIngredient>("MENTHE").value_or(EnrIngredient{}).Alcool, 1);
  EXPECT_EQ(Texte(Lire<FicCocktail>("STINGER")->Ingredient[1]), "MENTHE");
  EXPECT_EQ(repondeur_.bips, 0);
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
  EXPECT_EQ(Stocke(), "Fort");
}

}  // namespace
}  // namespace velquor
