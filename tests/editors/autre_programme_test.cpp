// SPDX-License-Identifier: GPL-3.0-or-later
// Another program writes the records an editor shows: a write puts back only what the user
// changed, onto the record as the file has it, asks when both changed one field, and shows the
// result. A name the other program removed leaves no phantom in the list. A field that cannot be
// stored as it stands stops the write, and the user is told which.

#include <QAccessible>
#include <QCheckBox>

#include <cstring>

#include <gtest/gtest.h>

#include "fenetres_hostiles.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"

namespace velquor {
namespace {

using test::Lire;
using Noms = std::vector<std::string>;

class AutreProgramme : public test::EditeursTest {
 protected:
  // The other program's write: its own object on the pair, as another process's store.
  template <class Fic, class Changer>
  static void Ecrire(std::string_view nom, Changer changer) {
    Fic fic;
    ASSERT_TRUE(fic.Ouvrir() && fic.Chercher(nom)) << nom;
    changer(fic.Enreg);
    ASSERT_TRUE(fic.Modifier());
  }
  void Saisir(QWidget* champ, const QString& texte) {
    Focaliser(champ);
    if (auto* edition = qobject_cast<PEdition*>(champ)) edition->selectAll();
    test::Taper(champ, texte);
    QTest::keyClick(champ, Qt::Key_Tab);  // leaving the field writes
  }
  TCocktailDlg* OuvrirNegroni() {
    test::CreerIngredients({{"CAMPARI", true}, {"GIN", true}, {"VERMOUTH", true}});
    test::CreerCocktails(
        {{"AMERICANO", "", {"CAMPARI"}, {"3 cl"}},
         {"NEGRONI", "", {"GIN", "CAMPARI", "VERMOUTH"}, {"3 cl", "3 cl", "3 cl"}}});
    auto* dlg = dynamic_cast<TCocktailDlg*>(Ouvrir(103));
    if (dlg) test::Cliquer(dlg->Liste(), 1);
    return dlg;
  }
};

// A field both changed: the user is asked, and Non keeps the other program's value (the change
// of another field without a question, and Oui, are seen with two real programs, tests/reel/).
TEST_F(AutreProgramme, UnChampChangeDesDeuxCotesEstDemande) {
  auto* dlg = OuvrirNegroni();
  ASSERT_NE(dlg, nullptr);
  Ecrire<FicCocktail>("NEGRONI", [](EnrCocktail& e) { CopierTexte(e.Quantite[0], "11 ml"); });
  repondeur_.reponses = {ReponseNon};
  Saisir(dlg->Quantite(0), "2 cl");
  EXPECT_EQ(Texte(Lire<FicCocktail>("NEGRONI")->Quantite[0]), "11 ml");
  EXPECT_EQ(dlg->Quantite(0)->TexteCp1252(), "11 ml");
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{"? OuiNon La fiche NEGRONI a été modifiée par un autre programme depuis que vous "
                 "l'avez affichée.\n\nChamp « Quantité, ligne 1 »\n- votre saisie : 2 cl\n- "
                 "l'autre programme : 11 ml\n\nGarder votre saisie ? (Non garde celle de l'autre "
                 "programme.)"});
  EXPECT_FALSE(dlg->Modifie());
}

// The check box writes at once: the other program's comment stays, and its own flag too when
// the user changed only the comment.
TEST_F(AutreProgramme, LeDrapeauEtLeCommentaireSontDesChampsDistincts) {
  test::CreerIngredients({{"GIN", false, "Sec."}});
  ASSERT_NE(Ouvrir(101), nullptr);
  auto* alcoolise = Editeur()->Controle<QCheckBox>(TIngredientDlg::IdAlcoolise);
  Ecrire<FicIngredient>(
      "GIN", [](EnrIngredient& e) { CopierTexte(e.Commentaire, test::Cp("Genièvre.")); });
  QTest::mouseClick(alcoolise, Qt::LeftButton, {}, QPoint(6, alcoolise->height() / 2));
  EXPECT_EQ(Lire<FicIngredient>("GIN")->Alcool, 1);
  EXPECT_EQ(Texte(Lire<FicIngredient>("GIN")->Commentaire), test::Cp("Genièvre."));
  EXPECT_EQ(Commentaire()->Texte(), QStringLiteral("Genièvre."));

  Ecrire<FicIngredient>("GIN", [](EnrIngredient& e) { e.Alcool = 0; });
  Saisir(Commentaire(), QStringLiteral("x"));
  EXPECT_EQ(Lire<FicIngredient>("GIN")->Alcool, 0);
  EXPECT_FALSE(alcoolise->isChecked());
  EXPECT_TRUE(repondeur_.boites.empty());
}

// The other program deleted the shown cocktail and added another: the write finds nothing and
// beeps, the list follows the file, and renaming a name that has gone creates nothing.
TEST_F(AutreProgramme, UnNomQuiNExistePlusNeResteNiDansLaListeNiNeRevient) {
  auto* dlg = OuvrirNegroni();
  ASSERT_NE(dlg, nullptr);
  {
    FicCocktail autre;
    ASSERT_TRUE(autre.Ouvrir() && autre.Chercher("NEGRONI") && autre.Supprimer());
    autre.Enreg = test::Enregistrement({.nom = "SPRITZ"});
    ASSERT_TRUE(autre.Ajouter("SPRITZ"));
  }
  Saisir(Commentaire(), QStringLiteral("Orange."));
  EXPECT_EQ(repondeur_.bips, 1);
  EXPECT_EQ(test::Entrees(*dlg->Liste()), (Noms{"AMERICANO", "SPRITZ"}));
  EXPECT_EQ(test::Noms(), (Noms{"AMERICANO", "SPRITZ"}));

  Ecrire<FicCocktail>("SPRITZ", [](EnrCocktail&) {});
  {
    FicCocktail autre;
    ASSERT_TRUE(autre.Ouvrir() && autre.Chercher("AMERICANO") && autre.Supprimer());
  }
  test::Cliquer(dlg->Liste(), 0);  // AMERICANO, gone meanwhile
  EXPECT_EQ(test::Entrees(*dlg->Liste()), (Noms{"SPRITZ"}));
  {
    test::PiloteModal pilote(test::RepondreNom("BOULEVARDIER"));
    dlg->Liste()->Vider();  // as stale as it gets: a name that has gone, selected
    dlg->Liste()->AjouterChaine("AMERICANO");
    dlg->Liste()->SelectionnerIndex(0);
    EXPECT_TRUE(Envoyer(106));
  }
  EXPECT_EQ(test::Noms(), (Noms{"SPRITZ"}));
  EXPECT_EQ(test::Entrees(*dlg->Liste()), (Noms{"SPRITZ"}));
}

// A quantity put past its limit without the entry rules (the accessibility interface sets the
// text directly): nothing of the record is written, the user is told the field, and the change
// is still to be written.
TEST_F(AutreProgramme, UnChampQuiNePeutEtreStockeArreteLEcritureEtLeDit) {
  auto* dlg = OuvrirNegroni();
  ASSERT_NE(dlg, nullptr);
  const auto avant = Lire<FicCocktail>("NEGRONI");
  Focaliser(dlg->Quantite(2));
  QAccessible::queryAccessibleInterface(dlg->Quantite(2))
      ->editableTextInterface()
      ->insertText(0, QString(20, QChar('9')));
  QTest::keyClick(dlg->Quantite(2), Qt::Key_Tab);
  EXPECT_EQ(test::Boites(repondeur_),
            (Noms{"! Ok La fiche NEGRONI n'a pas été enregistrée : le champ « Quantité, ligne 3 » "
                  "dépasse 20 caractères.\n\nElle garde ce qu'elle contenait. Corrigez le champ, "
                  "puis quittez-le pour l'enregistrer."}));
  const auto apres = Lire<FicCocktail>("NEGRONI");
  EXPECT_EQ(std::memcmp(&*apres, &*avant, sizeof(EnrCocktail)), 0);
  EXPECT_TRUE(dlg->Modifie());
}

}  // namespace
}  // namespace velquor
