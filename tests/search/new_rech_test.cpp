// The search dialog launching the search: the clear question, the progress window and its stop,
// and the nothing-found outcome that keeps the dialog open with its criteria.

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "donnees_fenetres.h"
#include "framework/boutons.h"
#include "framework/edition.h"
#include "resources/chaines.h"
#include "search/new_rech.h"
#include "support/dossier_temporaire.h"
#include "support_ui/clavier.h"

namespace velquor {
namespace {

using Noms = std::vector<std::string>;

class NewRechTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    test::CreerCocktails({{"DAIQUIRI"}, {"GIN FIZZ"}, {"MOJITO"}, {"VIRGIN"}});
  }
  // The dialog as the user finds it: shown and active.
  std::unique_ptr<NewRech> Ouvrir() {
    auto dialogue = std::make_unique<NewRech>(nullptr);
    dialogue->show();
    dialogue->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialogue.get()));
    return dialogue;
  }
  static void Ok(const NewRech& d) {
    QTest::mouseClick(d.Controle<QPushButton>(1), Qt::LeftButton);
  }

  test::RepondeurScripte repondeur_;
};

TEST_F(NewRechTest, RienTrouveGardeLeDialogueOuvertAvecSesCriteres) {
  auto d = Ouvrir();
  PEdition* chaine = d->Controle<PEdition>(102);
  d->Controle<PRadio>(104)->click();
  test::Taper(chaine, QStringLiteral("i"));  // every name holds an I
  QTest::keyClick(chaine, Qt::Key_Return);   // Enter: Ok

  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->result(), 0);
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{std::string("i Ok ") + TexteChaine(ChaineAucunCocktail)});
  EXPECT_TRUE(d->isEnabled());
  EXPECT_EQ(chaine->TexteCp1252(), "I");
  EXPECT_TRUE(d->Controle<PRadio>(104)->isChecked());

  // The criteria changed, Ok again: found this time.
  d->Controle<PRadio>(103)->click();
  Ok(*d);
  EXPECT_EQ(d->result(), 1);
  EXPECT_EQ(test::Noms("RESURECH").size(), 4u);
}

TEST_F(NewRechTest, LaQuestionDEffacementNonAccumuleOuiVide) {
  const auto lancer = [this](const char* chaine, int reponse) {
    auto d = Ouvrir();
    test::Taper(d->Controle<PEdition>(102), QString::fromLatin1(chaine));
    repondeur_.boites.clear();
    repondeur_.reponses = {reponse};
    Ok(*d);
    return d->result();
  };
  EXPECT_EQ(lancer("GIN", ReponseOui), 1);  // no result yet: no question
  EXPECT_TRUE(repondeur_.boites.empty());
  EXPECT_EQ(lancer("MOJ", ReponseNon), 1);
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{std::string("? OuiNon ") + TexteChaine(ChaineResultatExistant)});
  EXPECT_EQ(test::Noms("RESURECH"), (Noms{"GIN FIZZ", "MOJITO", "VIRGIN"}));
  EXPECT_EQ(lancer("DAI", ReponseOui), 1);
  EXPECT_EQ(test::Noms("RESURECH"), Noms{"DAIQUIRI"});
}

TEST_F(NewRechTest, ArreterPendantLaRechercheGardeCeQuiEstTrouve) {
  auto d = Ouvrir();
  test::ClicArret clic(d.get());
  Ok(*d);
  EXPECT_EQ(clic.vus, 1);
  EXPECT_EQ(clic.titre, QStringLiteral("Recherche en cours..."));
  EXPECT_FALSE(clic.fenetreActive);
  EXPECT_TRUE(clic.defileActif);  // its button still answers
  // DAIQUIRI shown when the click came, then GIN FIZZ examined; a stopped run that found
  // something closes the dialog.
  EXPECT_EQ(test::Noms("RESURECH"), (Noms{"DAIQUIRI", "GIN FIZZ"}));
  EXPECT_EQ(d->result(), 1);
}

}  // namespace
}  // namespace velquor
