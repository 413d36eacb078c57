// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the fields, end to end: what is typed is written to the record that was selected while
// typing, when the field is left or on Enter; the bytes on disk are the record's, nothing more.
// Hostile records (jeu_hostile.h) show their stored bytes and come back byte for byte; fields
// without a terminator are shown whole and written back cut.

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

#include "fenetres_hostiles.h"
#include "jeu_hostile.h"
#include "store/champ_texte.h"
#include "store/lignes_composition.h"
#include "support_editeurs.h"

namespace velquor {
namespace {

using test::Lire;

class Saisie : public test::EditeursTest {
 protected:
  // The user changes the multi-line field and puts it back as it was (or only shortens it), then
  // goes back to the list, which writes the record from the fields.
  void Retoucher(bool remettre = true) {
    PEditionMulti* champ = Commentaire();
    Focaliser(champ);
    QTest::keyClick(champ, Qt::Key_End, Qt::ControlModifier);
    const QString texte = champ->toPlainText();
    if (texte.isEmpty()) test::Taper(champ, QStringLiteral("x"));
    QTest::keyClick(champ, Qt::Key_Backspace);
    if (remettre && texte.endsWith(QChar('\n')))
      QTest::keyClick(champ, Qt::Key_Return, Qt::ControlModifier);
    else if (remettre && !texte.isEmpty())
      test::Taper(champ, QString(texte.back()));
    Focaliser(Editeur()->Liste());
  }
};

TEST_F(Saisie, UnCommentaireTapePuisUnClicAilleursEstEcritDansLaFicheDeDepart) {
  test::CreerFamilles({{"DIGESTIF", "Après."}, {"SOURS", "Acides."}});
  ASSERT_NE(Ouvrir(102), nullptr);
  Focaliser(Commentaire());
  EXPECT_EQ(Commentaire()->toPlainText(), "Après.");
  Commentaire()->selectAll();
  test::Taper(Commentaire(), "Après le repas");
  QTest::keyClick(Commentaire(), Qt::Key_Return, Qt::ControlModifier);  // a new line
  test::Taper(Commentaire(), "œuf");
  EXPECT_TRUE(Editeur()->Modifie());
  test::Cliquer(Editeur()->Liste(), 1);

  // Byte for byte the record the store writes for that name and comment (line break as CR LF).
  EnrFamille attendu{};
  CopierTexte(attendu.Nom, "DIGESTIF");
  CopierTexte(attendu.Commentaire,
              "Apr\xE8s le repas\r\n\x9C"
              "uf");
  const EnrFamille stocke = Lire<FicFamille>("DIGESTIF").value_or(EnrFamille{});
  EXPECT_EQ(std::memcmp(&stocke, &attendu, sizeof attendu), 0);
  // The newly selected family is shown, and its own record is untouched.
  EXPECT_EQ(Editeur()->NomSelectionne(), "SOURS");
  EXPECT_EQ(Commentaire()->toPlainText(), "Acides.");
  EXPECT_EQ(Texte(Lire<FicFamille>("SOURS")->Commentaire), "Acides.");
  EXPECT_FALSE(Editeur()->Modifie());
}

TEST_F(Saisie, ChaqueEnregistrementHostileRevientOctetPourOctet) {
  test::EcrireJeu();
  const auto donnees = [] {
    return std::vector{test::LireOctets("FAMILLE.DAT"), test::LireOctets("INGRED.DAT"),
                       test::LireOctets("COCKTAIL.DAT")};
  };
  auto avant = donnees();
  // Written again, a cocktail has its rows closed up: none stays behind a row without an
  // ingredient. Every other byte comes back.
  for (std::size_t p = 8; p + sizeof(EnrCocktail) <= avant[2].size(); p += sizeof(EnrCocktail))
    ResserrerLignes(*reinterpret_cast<EnrCocktail*>(avant[2].data() + p));
  const auto choisir = [this](const std::string& nom) {
    test::Cliquer(Editeur()->Liste(), Editeur()->Liste()->ChercherExact(nom));
    EXPECT_EQ(Editeur()->Controle<QLabel>(PEditeurDlg::IdTitre)->text(), test::Montre(nom));
  };
  // Each record shown, its multi-line field touched and put back, the record written again.
  ASSERT_NE(Ouvrir(102), nullptr);
  for (const auto& f : test::Jeu().familles) {
    choisir(f.nom);
    Retoucher();
  }
  ASSERT_NE(Ouvrir(101), nullptr);
  for (const auto& i : test::Jeu().ingredients) {
    choisir(i.nom);
    Retoucher();
  }
  ASSERT_NE(Ouvrir(103), nullptr);
  for (const auto& c : test::Jeu().cocktails) {
    choisir(c.nom);
    Retoucher();
  }
  // Nothing created on the way, nothing refused.
  EXPECT_EQ(donnees(), avant);
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_TRUE(repondeur_.boites.empty());
}

TEST_F(Saisie, LesChampsSansTerminateurSontMontresEntiersPuisEcritsCoupes) {
  using S = test::SansTerminateur;
  test::EcrireSansTerminateur();
  for (int vue : {102, 101, 103}) {
    SCOPED_TRACE(vue);
    ASSERT_NE(Ouvrir(vue), nullptr);
    ASSERT_EQ(test::Entrees(*Editeur()->Liste()), std::vector<std::string>{S::Cle});
    EXPECT_EQ(Editeur()->Controle<QLabel>(PEditeurDlg::IdTitre)->text(), test::Montre(S::Nom));
    EXPECT_EQ(Commentaire()->toPlainText(),
              test::MontreMulti(vue == 103 ? S::Remarques : S::Commentaire));
    repondeur_.reponses = {ReponseNon};  // the cocktail's ingredient is created
    Retoucher(false);
  }
  const auto famille = Lire<FicFamille>(S::Cle);
  const auto ingredient = Lire<FicIngredient>(S::Cle);
  const auto recette = Lire<FicCocktail>(S::Cle);
  ASSERT_TRUE(famille && ingredient && recette);
  EXPECT_EQ(famille->Nom[TailleNom - 1], '\0');
  EXPECT_EQ(Texte(famille->Commentaire), S::Commentaire.substr(0, 250));
  EXPECT_EQ(Texte(ingredient->Commentaire), S::Commentaire.substr(0, 250));
  EXPECT_EQ(Texte(recette->Nom), S::Cle);
  EXPECT_EQ(Texte(recette->Quantite[0]), S::Quantite.substr(0, 20));
  EXPECT_EQ(Texte(recette->Ingredient[0]), S::Ingredient.substr(0, 30));
  EXPECT_EQ(Texte(recette->Famille), S::Famille.substr(0, 30));
  EXPECT_EQ(Texte(recette->Remarques), S::Remarques.substr(0, 250));
  EXPECT_TRUE(Lire<FicIngredient>(S::Ingredient.substr(0, 30)).has_value());
  EXPECT_TRUE(Lire<FicFamille>(S::Famille.substr(0, 30)).has_value());
  EXPECT_EQ(repondeur_.bips, 0);
}

}  // namespace
}  // namespace velquor
