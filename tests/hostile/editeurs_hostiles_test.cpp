// Hostile records in the three editors: every field shows its stored bytes as their characters
// (CR LF as line breaks in the multi-line fields), and writing a record back from the fields
// gives its bytes again, one for one; a record whose fields lack their terminator is shown as
// the fields' whole width and written back terminated, cut to the field.

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "editors/cocktail_dlg.h"
#include "editors/ingredient_dlg.h"
#include "fenetres_hostiles.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "jeu_hostile.h"
#include "search/cb_assist.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"
#include "support_ui/clavier.h"

namespace velquor {
namespace {

using test::Montre;
using test::MontreMulti;
using S = test::SansTerminateur;

class EditeursHostiles : public test::EditeursTest {
 protected:
  void Choisir(const std::string& nom) {
    PListe* liste = Editeur()->Liste();
    const int index = liste->ChercherExact(nom);
    ASSERT_GE(index, 0) << nom;
    test::Cliquer(liste, index);
  }

  QString Titre() const { return Editeur()->Controle<QLabel>(PEditeurDlg::IdTitre)->text(); }
  PEditionMulti* Multi() const {
    return Editeur()->Controle<PEditionMulti>(PEditeurDlg::IdCommentaire);
  }

  // The user changes the multi-line field and puts it back as it was (the last character deleted
  // and typed again, or one typed and deleted when it is empty), then goes back to the list,
  // which writes the record from the fields.
  void Retoucher(PEditionMulti* champ) {
    Focaliser(champ);
    QTest::keyClick(champ, Qt::Key_End, Qt::ControlModifier);
    const QString texte = champ->toPlainText();
    if (texte.isEmpty()) {
      test::Taper(champ, QStringLiteral("x"));
      QTest::keyClick(champ, Qt::Key_Backspace);
    } else {
      QTest::keyClick(champ, Qt::Key_Backspace);
      if (texte.back() == QChar('\n'))
        QTest::keyClick(champ, Qt::Key_Return, Qt::ControlModifier);
      else
        test::Taper(champ, QString(texte.back()));
    }
    ASSERT_EQ(champ->toPlainText(), texte);
    Focaliser(Editeur()->Liste());
  }

  static std::vector<std::vector<unsigned char>> Donnees() {
    return {test::LireOctets("FAMILLE.DAT"), test::LireOctets("INGRED.DAT"),
            test::LireOctets("COCKTAIL.DAT")};
  }
};

TEST_F(EditeursHostiles, ChaqueEnregistrementRevientOctetPourOctet) {
  test::EcrireJeu();
  const auto avant = Donnees();

  ASSERT_NE(Ouvrir(102), nullptr);
  for (const auto& f : test::Jeu().familles) {
    SCOPED_TRACE(f.nom);
    Choisir(f.nom);
    EXPECT_EQ(Titre(), Montre(f.nom));
    EXPECT_EQ(Multi()->toPlainText(), MontreMulti(f.commentaire));
    Retoucher(Multi());
  }

  ASSERT_NE(Ouvrir(101), nullptr);
  auto* alcool = Editeur()->Controle<QCheckBox>(TIngredientDlg::IdAlcoolise);
  for (const auto& i : test::Jeu().ingredients) {
    SCOPED_TRACE(i.nom);
    Choisir(i.nom);
    EXPECT_EQ(Titre(), Montre(i.nom));
    EXPECT_EQ(alcool->isChecked(), i.alcool);
    EXPECT_EQ(Multi()->toPlainText(), MontreMulti(i.commentaire));
    Retoucher(Multi());
  }

  ASSERT_NE(Ouvrir(103), nullptr);
  auto* cocktail = dynamic_cast<TCocktailDlg*>(Editeur());
  ASSERT_NE(cocktail, nullptr);
  for (const auto& c : test::Jeu().cocktails) {
    SCOPED_TRACE(c.nom);
    Choisir(c.nom);
    EXPECT_EQ(Titre(), Montre(c.nom));
    for (int k = 0; k < NbLignesComposition; ++k) {
      const auto ligne = static_cast<std::size_t>(k);
      EXPECT_EQ(cocktail->Quantite(k)->text(), Montre(c.quantites[ligne])) << k;
      EXPECT_EQ(cocktail->Ingredient(k)->lineEdit()->text(), Montre(c.ingredients[ligne])) << k;
    }
    EXPECT_EQ(cocktail->Famille()->lineEdit()->text(), Montre(c.famille));
    EXPECT_EQ(Multi()->toPlainText(), MontreMulti(c.remarques));
    Retoucher(Multi());
  }

  // Every record was written again from its fields: the files are what they were, no ingredient
  // or family was created on the way, nothing was refused.
  EXPECT_EQ(Donnees(), avant);
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_TRUE(repondeur_.boites.empty());
}

TEST_F(EditeursHostiles, LesChampsSansTerminateurSontMontresEntiersPuisEcritsCoupes) {
  test::EcrireSansTerminateur();
  const auto cle = S::Cle;
  const QString commentaire = MontreMulti(S::Commentaire);
  ASSERT_EQ(commentaire.size(), 250);  // 251 bytes, one CR LF

  for (int vue : {102, 101}) {
    SCOPED_TRACE(vue);
    ASSERT_NE(Ouvrir(vue), nullptr);
    // The entry is the key, the record is found under it; the title is its name field, whole.
    ASSERT_EQ(Editeur()->Liste()->NbElements(), 1);
    EXPECT_EQ(Editeur()->Liste()->Chaine(0), cle);
    EXPECT_EQ(Titre(), Montre(S::Nom));
    EXPECT_EQ(Multi()->toPlainText(), commentaire);
    // The user shortens the comment by its last character: the record is written terminated.
    Focaliser(Multi());
    QTest::keyClick(Multi(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(Multi(), Qt::Key_Backspace);
    Focaliser(Editeur()->Liste());
  }
  const auto famille = test::LireFamille(cle);
  ASSERT_TRUE(famille.has_value());
  EXPECT_EQ(famille->Nom[TailleNom - 1], '\0');
  EXPECT_EQ(Texte(famille->Nom), cle);
  EXPECT_EQ(Texte(famille->Commentaire), S::Commentaire.substr(0, 250));
  const auto ingredient = test::LireIngredient(cle);
  ASSERT_TRUE(ingredient.has_value());
  EXPECT_EQ(Texte(ingredient->Nom), cle);
  EXPECT_EQ(ingredient->Alcool, 1);
  EXPECT_EQ(Texte(ingredient->Commentaire), S::Commentaire.substr(0, 250));

  ASSERT_NE(Ouvrir(103), nullptr);
  auto* cocktail = dynamic_cast<TCocktailDlg*>(Editeur());
  ASSERT_NE(cocktail, nullptr);
  EXPECT_EQ(Titre(), Montre(S::Nom));
  EXPECT_EQ(cocktail->Quantite(0)->text(), Montre(S::Quantite));
  EXPECT_EQ(cocktail->Ingredient(0)->lineEdit()->text(), Montre(S::Ingredient));
  EXPECT_EQ(cocktail->Famille()->lineEdit()->text(), Montre(S::Famille));
  EXPECT_EQ(Multi()->toPlainText(), MontreMulti(S::Remarques));
  // Written back: every field cut to what it can hold with its terminator; the ingredient and
  // the family it names, missing from their collections, are created as a typed name would be.
  repondeur_.reponses = {ReponseNon};
  Focaliser(Multi());
  QTest::keyClick(Multi(), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(Multi(), Qt::Key_Backspace);
  Focaliser(Editeur()->Liste());
  const auto recette = test::LireCocktail(cle);
  ASSERT_TRUE(recette.has_value());
  EXPECT_EQ(Texte(recette->Nom), cle);
  EXPECT_EQ(Texte(recette->Quantite[0]), S::Quantite.substr(0, 20));
  EXPECT_EQ(Texte(recette->Ingredient[0]), S::Ingredient.substr(0, 30));
  EXPECT_EQ(Texte(recette->Famille), S::Famille.substr(0, 30));
  EXPECT_EQ(Texte(recette->Remarques), S::Remarques.substr(0, 250));
  EXPECT_TRUE(test::LireIngredient(S::Ingredient.substr(0, 30)).has_value());
  EXPECT_TRUE(test::LireFamille(S::Famille.substr(0, 30)).has_value());
  EXPECT_EQ(repondeur_.boites.size(), 1u);  // the question on the new ingredient
  EXPECT_EQ(repondeur_.bips, 0);
}

}  // namespace
}  // namespace velquor
