// Hostile names in the message boxes: the name is put in place of the string's "%s" once and
// literally ("%s", "%d", "%", "&", "<" in it stay as they are), its code page bytes shown as
// their characters, the undefined ones as their control code points.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "editors/cocktail_dlg.h"
#include "fenetres_hostiles.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "jeu_hostile.h"
#include "search/cb_assist.h"
#include "search/new_rech.h"
#include "store/champ_texte.h"
#include "support_editeurs.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

using test::Montre;

class MessagesHostiles : public test::EditeursTest {
 protected:
  void SetUp() override { test::EcrireJeu(); }

  // Selects the entry of that stored name in the open editor's list, as the user does.
  void Choisir(const std::string& nom) {
    PListe* liste = Editeur()->Liste();
    const int index = liste->ChercherExact(nom);
    ASSERT_GE(index, 0) << nom;
    test::Cliquer(liste, index);
  }
};

TEST_F(MessagesHostiles, LaQuestionDeSuppressionNommeLeNomTelQuel) {
  struct Cas {
    int vue;
    std::string nom;
    QString debut;
  };
  const Cas cas[] = {
      {101, test::IngredientFormat, QStringLiteral("Suppression de l'ingrédient ")},
      {101, test::Ingredient90, QStringLiteral("Suppression de l'ingrédient ")},
      {102, test::FamilleFormat, QStringLiteral("Suppression de la famille ")},
      {102, test::Famille80, QStringLiteral("Suppression de la famille ")},
      {103, test::CocktailFormat, QStringLiteral("Suppression du cocktail ")},
      {103, test::Cocktail90, QStringLiteral("Suppression du cocktail ")},
  };
  auto Donnees = [] {
    return std::vector{test::LireOctets("FAMILLE.DAT"), test::LireOctets("INGRED.DAT"),
                       test::LireOctets("COCKTAIL.DAT")};
  };
  const auto avant = Donnees();
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.vue);
    ASSERT_NE(Ouvrir(c.vue), nullptr);
    Choisir(c.nom);
    repondeur_.boites.clear();
    repondeur_.reponses = {ReponseNon};
    ASSERT_TRUE(Envoyer(105));
    ASSERT_EQ(repondeur_.boites.size(), 1u);
    EXPECT_EQ(repondeur_.boites[0].titre, QStringLiteral("Le Velquor"));
    EXPECT_EQ(repondeur_.boites[0].texte, c.debut + Montre(c.nom) + QStringLiteral(" ?"));
    EXPECT_EQ(repondeur_.boites[0].boutons, BoutonsMessage::OuiNon);
  }
  // The names with their byte ranges, written out: the holes keep their control code points.
  EXPECT_EQ(Montre(test::Ingredient90), QStringLiteral("\u0090‘’“”•–—˜™š›œ\u009DžŸ JUS##########"));
  EXPECT_EQ(Montre(test::Famille80),
            QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F FAMILLE######"));
  EXPECT_EQ(Donnees(), avant);  // answered No: nothing deleted
  EXPECT_EQ(repondeur_.bips, 0);
}

TEST_F(MessagesHostiles, UnNomTapeQuiExisteDejaEstNommeTelQuelDansLAvertissement) {
  // Typed: the letters become capitals by the code page rule (the s of "%s", œ, ÿ); 30 bytes.
  const QString tape = QStringLiteral("‰ <&> \"%s\"; 100% €d œÿ %d ....");
  ASSERT_EQ(tape.size(), 30);
  const QString nom = QStringLiteral("‰ <&> \"%S\"; 100% €D ŒŸ %D ....");
  const std::string stocke =
      "\x89 <&> \"%S\"; 100% \x80"
      "D \x8C\x9F %D ....";
  struct Cas {
    int vue;
    QString texte;
  };
  const Cas cas[] = {
      {101, QStringLiteral("Ingrédient %1 déjà existant !")},
      {102, QStringLiteral("Famille %1 déjà existante !")},
      {103, QStringLiteral("Cocktail %1 déjà existant !")},
  };
  test::PiloteModal nom_dialogue(test::RepondreNom(tape));
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.vue);
    ASSERT_NE(Ouvrir(c.vue), nullptr);
    repondeur_.boites.clear();
    ASSERT_TRUE(Envoyer(104));
    EXPECT_TRUE(repondeur_.boites.empty());
    EXPECT_EQ(Editeur()->NomSelectionne(), stocke);
    ASSERT_TRUE(Envoyer(104));
    ASSERT_EQ(repondeur_.boites.size(), 1u);
    // QString::arg would read the "%1" of a name: the expected text is built by hand.
    const int place = static_cast<int>(c.texte.indexOf(QStringLiteral("%1")));
    EXPECT_EQ(repondeur_.boites[0].texte, QString(c.texte).replace(place, 2, nom));
    EXPECT_EQ(repondeur_.boites[0].icone, IconeMessage::Exclamation);
  }
  EXPECT_EQ(test::LireIngredient(stocke).has_value(), true);
  EXPECT_EQ(test::LireFamille(stocke).has_value(), true);
  EXPECT_EQ(test::LireCocktail(stocke).has_value(), true);
}

TEST_F(MessagesHostiles, UnNouvelIngredientEstDemandeUneFoisSousSonNom) {
  ASSERT_NE(Ouvrir(103), nullptr);
  auto* dlg = dynamic_cast<TCocktailDlg*>(Editeur());
  ASSERT_NE(dlg, nullptr);
  Choisir(test::Cocktail90);
  CbAssist* ligne2 = dlg->Ingredient(1);
  Focaliser(ligne2);
  test::Taper(ligne2->lineEdit(), QStringLiteral("‰ <&> \"%s\"; %d"));
  repondeur_.reponses = {ReponseOui};
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

  // One question, for the typed name alone: the names shown from the lists are not new.
  ASSERT_EQ(repondeur_.boites.size(), 1u);
  EXPECT_EQ(repondeur_.boites[0].texte,
            QStringLiteral("Création d'un nouvel ingrédient : ‰ <&> \"%S\"; %D\n\nCet ingrédient "
                           "est-il alcoolisé ?"));
  const auto nouveau = test::LireIngredient("\x89 <&> \"%S\"; %D");
  ASSERT_TRUE(nouveau.has_value());
  EXPECT_EQ(nouveau->Alcool, 1);
  const auto cocktail = test::LireCocktail(test::Cocktail90);
  ASSERT_TRUE(cocktail.has_value());
  EXPECT_EQ(Texte(cocktail->Ingredient[0]), test::Ingredient90);
  EXPECT_EQ(Texte(cocktail->Ingredient[1]), "\x89 <&> \"%S\"; %D");
}

TEST_F(MessagesHostiles, InformationsMontreLeCommentaireOuNommeLIngredient) {
  auto d = std::make_unique<NewRech>(nullptr);
  d->show();
  d->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(d.get()));
  QTabBar* barre = d->Controle<POnglets>(101)->Barre();
  QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(2).center());
  ASSERT_EQ(d->OngletCourant(), 3);
  PListe* disponibles = d->Controle<PListe>(303);

  auto informer = [&](const std::string& nom) {
    repondeur_.boites.clear();
    test::Cliquer(disponibles, disponibles->ChercherExact(nom));
    QTest::mouseClick(d->Controle<QPushButton>(306), Qt::LeftButton);
    EXPECT_EQ(repondeur_.boites.size(), 1u);
  };
  informer(test::IngredientSansCommentaire);
  EXPECT_EQ(repondeur_.boites[0].titre, QStringLiteral("Le Velquor"));
  EXPECT_EQ(repondeur_.boites[0].texte,
            QStringLiteral("Aucune information disponible sur l'ingrédient GLACE <PILEE> & %s "
                           "%d######### !"));
  EXPECT_EQ(repondeur_.boites[0].icone, IconeMessage::Information);

  // A comment is shown under the ingredient's name, its CR LF as line breaks.
  informer(test::Ingredient80);
  EXPECT_EQ(repondeur_.boites[0].titre,
            QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F SIROP########"));
  EXPECT_EQ(repondeur_.boites[0].texte, QStringLiteral("Sucre & eau; \"1:1\" < 2\n%s"));
  informer(test::IngredientFormat);
  EXPECT_EQ(repondeur_.boites[0].texte, test::MontreMulti(test::Remarque250));
  EXPECT_EQ(repondeur_.boites[0].texte.count(QChar('\n')), 4);
  EXPECT_EQ(repondeur_.bips, 0);
}

}  // namespace
}  // namespace velquor
