// The cocktail editor keeps the names its lists do not hold when it writes a cocktail, and
// creates them, asking whether each new ingredient is alcoholic.

#include <QTest>

#include <cstring>

#include <gtest/gtest.h>

#include "editors/cocktail_dlg.h"
#include "fenetres_hostiles.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "search/cb_assist.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"
#include "support_ui/clavier.h"

namespace velquor {
namespace {

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
  const EnrCocktail avant = test::LireCocktail("MYSTERE").value_or(EnrCocktail{});
  test::Cliquer(dlg->Liste(), 1);
  ASSERT_EQ(dlg->NomSelectionne(), "MYSTERE");
  Focaliser(dlg->Quantite(3));
  test::Taper(dlg->Quantite(3), "1 zeste");
  repondeur_.reponses = {ReponseNon, ReponseOui};
  QTest::keyClick(dlg->Quantite(3), Qt::Key_Tab);

  EXPECT_EQ(test::Boites(repondeur_),
            (Noms{"? OuiNon Création d'un nouvel ingrédient : CURACAO\n\nCet ingrédient est-il "
                  "alcoolisé ?",
                  "? OuiNon Création d'un nouvel ingrédient : citron\n\nCet ingrédient est-il "
                  "alcoolisé ?"}));
  // The record is the stored one but for the quantity typed, byte for byte.
  EnrCocktail attendu = avant;
  CopierTexte(attendu.Quantite[3], "1 zeste");
  const EnrCocktail apres = test::LireCocktail("MYSTERE").value_or(EnrCocktail{});
  EXPECT_EQ(std::memcmp(&apres, &attendu, sizeof(EnrCocktail)), 0);
  EXPECT_EQ(test::LireIngredient("CURACAO").value_or(EnrIngredient{}).Alcool, 0);
  EXPECT_EQ(test::LireIngredient("citron").value_or(EnrIngredient{}).Alcool, 1);
  EXPECT_EQ(test::NomsFamilles(), (Noms{"INCONNUE", "SHORT DRINK"}));
  EXPECT_GE(dlg->Ingredient(5)->ChercherExact("CURACAO"), 0);
}

}  // namespace
}  // namespace velquor
