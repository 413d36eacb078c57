// The cocktail editor: its rows, its type-ahead combo boxes, and the ingredients and families it
// creates when a cocktail names them first.

#include <QLineEdit>
#include <QTest>

#include <cstring>

#include <gtest/gtest.h>

#include "compteur_ecritures.h"
#include "editors/cocktail_dlg.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "search/cb_assist.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

using test::Entrees;
using Noms = std::vector<std::string>;

class Cocktails : public test::EditeursTest {
 protected:
  void SetUp() override {
    test::CreerFamilles({{"SHORT DRINK"}});
    test::CreerIngredients({{"CITRON"},
                            {"GIN", true},
                            {"GLACE"},
                            {"GRENADINE"},
                            {"RHUM DE MELASSE MARTINIQUAIS"},
                            {"TEQUILA", true}});
    test::CreerCocktails({
        {"MARGARITA", "SHORT DRINK", {"TEQUILA", "", "CITRON"}, {"5 cl", "", "2 cl"}, "Sel."},
        {"MYSTERE",
         "INCONNUE",
         {"GIN", "CURACAO", "citron", "", "RHUM DE MELASSE MARTINIQUAIS"},
         {"4 cl", "1 cl", "1", "", "1 trait"}},
        {"TOM", "", {}, {}},
    });
    ASSERT_NE(Ouvrir(103), nullptr);
    dlg_ = dynamic_cast<TCocktailDlg*>(Editeur());
    ASSERT_NE(dlg_, nullptr);
  }

  // Types into the row's ingredient field, from an empty field.
  void TaperIngredient(int ligne, const QString& texte) {
    CbAssist* combo = dlg_->Ingredient(ligne);
    Focaliser(combo);
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
    test::Taper(combo->lineEdit(), texte);
  }
  void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
  // The first rows shown, as "quantity|ingredient", then the family.
  Noms Affichage(int lignes) const {
    Noms affichage;
    for (int i = 0; i < lignes; ++i)
      affichage.push_back(dlg_->Quantite(i)->text().toStdString() + "|" +
                          dlg_->Ingredient(i)->TexteCp1252());
    affichage.push_back(dlg_->Famille()->TexteCp1252());
    return affichage;
  }

  EnrCocktail Lire(std::string_view nom) { return test::LireCocktail(nom).value_or(EnrCocktail{}); }

  TCocktailDlg* dlg_ = nullptr;
};

TEST_F(Cocktails, LesLignesGardentLeurPlaceEtUnNomInconnuSAfficheTelQuel) {
  EXPECT_EQ(Affichage(3), (Noms{"5 cl|TEQUILA", "|", "2 cl|CITRON", "SHORT DRINK"}));
  EXPECT_EQ(Entrees(dlg_->Ingredient(9)), (Noms{"CITRON", "GIN", "GLACE", "GRENADINE",
                                                "RHUM DE MELASSE MARTINIQUAIS", "TEQUILA"}));
  EXPECT_EQ(Entrees(dlg_->Famille()), Noms{"SHORT DRINK"});

  // Names the collections do not hold, or hold in another case, are shown as they are stored,
  // in the edit field: no entry is selected, not even one that begins with the name.
  dlg_->Liste()->SelectionnerIndex(1);
  dlg_->Afficher();
  EXPECT_EQ(Affichage(4), (Noms{"4 cl|GIN", "1 cl|CURACAO", "1|citron", "|", "INCONNUE"}));
  EXPECT_EQ(dlg_->Ingredient(0)->IndexSelection(), 1);
  EXPECT_EQ(dlg_->Ingredient(2)->IndexSelection(), -1);
  // A name longer than its field shows its start, not its end.
  EXPECT_EQ(dlg_->Ingredient(4)->lineEdit()->cursorPosition(), 0);
  EXPECT_FALSE(dlg_->Modifie());
  // Back to a cocktail whose names the lists hold.
  dlg_->Liste()->SelectionnerIndex(0);
  dlg_->Afficher();
  EXPECT_EQ(Affichage(3), (Noms{"5 cl|TEQUILA", "|", "2 cl|CITRON", "SHORT DRINK"}));
}

TEST_F(Cocktails, EcrireUnCocktailGardeLesNomsQueLesListesNOntPasEtLesCree) {
  // MYSTERE names CURACAO, "citron" and the family INCONNUE, which no collection holds. Writing
  // it for another change keeps them, and creates them as typed names are created.
  const EnrCocktail avant = Lire("MYSTERE");
  const auto tailleDonnees = test::LireOctets("COCKTAIL.DAT").size();
  QTest::mouseClick(dlg_->Liste()->viewport(), Qt::LeftButton, {},
                    dlg_->Liste()->visualItemRect(dlg_->Liste()->item(1)).center());
  ASSERT_EQ(dlg_->NomSelectionne(), "MYSTERE");
  Focaliser(dlg_->Quantite(3));
  test::Taper(dlg_->Quantite(3), "1 zeste");
  repondeur_.reponses = {ReponseNon, ReponseOui};
  Tab();

  EXPECT_EQ(test::Boites(repondeur_),
            (Noms{"? OuiNon Création d'un nouvel ingrédient : CURACAO\n\nCet ingrédient est-il "
                  "alcoolisé ?",
                  "? OuiNon Création d'un nouvel ingrédient : citron\n\nCet ingrédient est-il "
                  "alcoolisé ?"}));
  // The record is the stored one, but for the quantity typed: byte for byte.
  EnrCocktail attendu = avant;
  CopierTexte(attendu.Quantite[3], "1 zeste");
  const EnrCocktail apres = Lire("MYSTERE");
  EXPECT_EQ(std::memcmp(&apres, &attendu, sizeof(EnrCocktail)), 0);
  EXPECT_EQ(test::LireOctets("COCKTAIL.DAT").size(), tailleDonnees);  // rewritten in place
  EXPECT_EQ(test::LireIngredient("CURACAO").value_or(EnrIngredient{}).Alcool, 0);
  EXPECT_EQ(test::LireIngredient("citron").value_or(EnrIngredient{}).Alcool, 1);
  EXPECT_EQ(test::NomsFamilles(), (Noms{"INCONNUE", "SHORT DRINK"}));
  EXPECT_GE(dlg_->Ingredient(5)->ChercherExact("CURACAO"), 0);
  EXPECT_GE(dlg_->Famille()->ChercherExact("INCONNUE"), 0);
}

TEST_F(Cocktails, ChangerDeCocktailSansRienTaperNEcritRien) {
  test::CompteurEcritures compteur;
  for (int i : {1, 2, 0, 2}) {
    QTest::mouseClick(dlg_->Liste()->viewport(), Qt::LeftButton, {},
                      dlg_->Liste()->visualItemRect(dlg_->Liste()->item(i)).center());
    Focaliser(dlg_->Quantite(3));
    Tab();
    Tab();
  }
  EXPECT_TRUE(compteur.DeTaille(sizeof(EnrCocktail)).empty());
  EXPECT_TRUE(compteur.DeTaille(sizeof(EnrIngredient)).empty());
}

// The completion itself is the combo box's (search tests); here, what the editor writes of it.
TEST_F(Cocktails, UnNomCompleteEtUneQuantiteSeuleSontEcritsTelsQuels) {
  EnrCocktail attendu = Lire("MARGARITA");
  TaperIngredient(3, "gr");
  EXPECT_EQ(dlg_->Ingredient(3)->lineEdit()->text(), "GRENADINE");
  EXPECT_TRUE(dlg_->Modifie());
  Focaliser(dlg_->Quantite(4));  // leaving row 3 writes it
  test::Taper(dlg_->Quantite(4), "1 trait");
  Tab();
  // Row 1 stays empty between its neighbours; row 4 has a quantity and no ingredient.
  CopierTexte(attendu.Ingredient[3], "GRENADINE");
  CopierTexte(attendu.Quantite[4], "1 trait");
  const EnrCocktail apres = Lire("MARGARITA");
  EXPECT_EQ(std::memcmp(&apres, &attendu, sizeof(EnrCocktail)), 0);
  EXPECT_TRUE(repondeur_.boites.empty());  // an existing ingredient: no question
}

TEST_F(Cocktails, UnNouvelIngredientTapeDansDeuxLignesNEstDemandeQuUneFois) {
  TaperIngredient(3, "sirop d'agave");
  // Row 6 too, before the question is asked: the field is left with Tab in between.
  repondeur_.reponses = {ReponseNon};
  Tab();
  TaperIngredient(6, "SIROP D'AGAVE");
  Tab();
  EXPECT_EQ(repondeur_.boites.size(), 1u);

  EnrIngredient cree{};
  CopierTexte(cree.Nom, "SIROP D'AGAVE");
  const EnrIngredient lu = test::LireIngredient("SIROP D'AGAVE").value_or(EnrIngredient{});
  EXPECT_EQ(std::memcmp(&lu, &cree, sizeof cree), 0);  // not alcoholic, no comment
  for (int i = 0; i < NbLignesComposition; ++i)
    EXPECT_GE(dlg_->Ingredient(i)->ChercherExact("SIROP D'AGAVE"), 0) << i;
  const EnrCocktail enr = Lire("MARGARITA");
  EXPECT_EQ(Texte(enr.Ingredient[3]), "SIROP D'AGAVE");
  EXPECT_EQ(Texte(enr.Ingredient[6]), "SIROP D'AGAVE");

  // Yes makes it alcoholic.
  repondeur_.reponses = {ReponseOui};
  TaperIngredient(7, "mezcal");
  Tab();
  EXPECT_EQ(test::LireIngredient("MEZCAL").value_or(EnrIngredient{}).Alcool, 1);
}

TEST_F(Cocktails, UneNouvelleFamilleEstCreeeSansQuestion) {
  Focaliser(dlg_->Famille());
  dlg_->Famille()->lineEdit()->selectAll();
  test::Taper(dlg_->Famille()->lineEdit(), "tropical");
  QTest::keyClick(dlg_->Famille()->lineEdit(), Qt::Key_Return);
  EXPECT_TRUE(dlg_->Liste()->hasFocus());
  EXPECT_TRUE(repondeur_.boites.empty());
  EXPECT_EQ(test::NomsFamilles(), (Noms{"SHORT DRINK", "TROPICAL"}));
  EXPECT_EQ(Texte(test::LireFamille("TROPICAL")->Commentaire), "");
  EXPECT_EQ(Texte(Lire("MARGARITA").Famille), "TROPICAL");
  EXPECT_EQ(Entrees(dlg_->Famille()), (Noms{"SHORT DRINK", "TROPICAL"}));
}

}  // namespace
}  // namespace velquor
