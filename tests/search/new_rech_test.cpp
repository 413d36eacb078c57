// The search dialog through its widgets: the pages and their lists, the selection files, the
// buttons' enabling, Informations, the multiple selection, and the launch with its question,
// progress, stop and nothing-found outcome.

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "donnees_fenetres.h"
#include "framework/boutons.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "resources/chaines.h"
#include "search/defile_dlg.h"
#include "search/new_rech.h"
#include "search/selection.h"
#include "support/dossier_temporaire.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

using test::Actifs;
using test::Contenu;
using test::Entrees;
using test::Selectionnee;
using Noms = std::vector<std::string>;
using Etats = std::vector<bool>;
namespace fs = std::filesystem;

class NewRechTest : public test::TestDansDossier {
 protected:
  // The dialog as the user finds it: shown and active.
  std::unique_ptr<NewRech> Ouvrir() {
    auto dialogue = std::make_unique<NewRech>(nullptr);
    dialogue->show();
    dialogue->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialogue.get()));
    return dialogue;
  }

  static PListe* Liste(const NewRech& d, int id) { return d.Controle<PListe>(id); }
  static QPushButton* Bouton(const NewRech& d, int id) { return d.Controle<QPushButton>(id); }
  static void Cliquer(const NewRech& d, int id) {
    QTest::mouseClick(Bouton(d, id), Qt::LeftButton);
  }
  static void Onglet(NewRech& d, int page) {
    QTabBar* barre = d.Controle<POnglets>(101)->Barre();
    QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(page - 1).center());
  }
  static void DoubleClic(PListe* liste, int index) {
    const QPoint point = liste->visualItemRect(liste->item(index)).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, point);
  }

  void SetUp() override {
    test::CreerFamilles({{"APERITIFS"}, {"DIGESTIFS"}, {"HIGHBALLS"}, {"SOURS"}, {"TIKI"}});
    test::CreerIngredients({{"CITRON", false, "Jus frais."},
                            {"CITRON VERT", false},
                            {"GIN", true},
                            {"MENTHE", false},
                            {"RHUM", true, "Blanc ou ambré."},
                            {"SIROP DE CITRON", false},
                            {"VODKA", true}});
    test::CreerCocktails({{"DAIQUIRI", "SOURS", {"RHUM", "CITRON VERT"}, {"6 cl", "2 cl"}},
                          {"GIN FIZZ", "HIGHBALLS", {"GIN", "CITRON"}, {"4 cl", "2 cl"}},
                          {"MOJITO", "HIGHBALLS", {"RHUM", "MENTHE"}, {"4 cl", "6"}},
                          {"VIRGIN", "", {"CITRON"}, {"2"}}});
  }

  test::RepondeurScripte repondeur_;
};

TEST_F(NewRechTest, MiseEnPlaceEtPassageDUnePageALAutre) {
  auto d = Ouvrir();
  EXPECT_EQ(d->OngletCourant(), 1);
  EXPECT_EQ(QApplication::focusWidget(), d->Controle<PEdition>(102));
  // The lists are read when their page is first shown, not before.
  EXPECT_EQ(Liste(*d, 203)->NbElements(), 0);

  Onglet(*d, 2);
  EXPECT_EQ(d->OngletCourant(), 2);
  EXPECT_FALSE(d->Controle<PEdition>(102)->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), Liste(*d, 203));
  EXPECT_EQ(Contenu(*Liste(*d, 203)),
            (Noms{"[APERITIFS]", "DIGESTIFS", "HIGHBALLS", "SOURS", "TIKI"}));
  EXPECT_EQ(Actifs(*d, {201, 205, 204}), (Etats{true, false, false}));

  Onglet(*d, 3);
  EXPECT_EQ(Liste(*d, 303)->NbElements(), 7);
  EXPECT_EQ(QApplication::focusWidget(), Liste(*d, 303));
  // Only Ok, which Enter presses, looks the default button while a list has the focus.
  EXPECT_TRUE(d->Controle<QPushButton>(1)->isDefault());
  EXPECT_FALSE(d->Controle<QPushButton>(301)->isDefault());
  Onglet(*d, 1);
  EXPECT_EQ(QApplication::focusWidget(), d->Controle<PEdition>(102));
}

TEST_F(NewRechTest, AjouteEnleveEtToutDeplacer) {
  auto d = Ouvrir();
  Onglet(*d, 2);
  PListe* disponibles = Liste(*d, 203);
  PListe* choisies = Liste(*d, 210);

  // The last entry: the one before it is selected afterwards; the first: the new first.
  disponibles->SelectionnerIndex(4);
  Cliquer(*d, 201);
  EXPECT_EQ(Contenu(*choisies), Noms{"[TIKI]"});
  EXPECT_EQ(Selectionnee(*disponibles), "SOURS");
  disponibles->SelectionnerIndex(0);
  Cliquer(*d, 201);
  EXPECT_EQ(Contenu(*choisies), (Noms{"[APERITIFS]", "TIKI"}));
  EXPECT_EQ(Contenu(*disponibles), (Noms{"[DIGESTIFS]", "HIGHBALLS", "SOURS"}));
  EXPECT_EQ(Actifs(*d, {205, 204}), (Etats{true, true}));

  // A double click moves the entry back.
  DoubleClic(choisies, 1);
  EXPECT_EQ(Entrees(*choisies), Noms{"APERITIFS"});
  EXPECT_EQ(Contenu(*disponibles), (Noms{"DIGESTIFS", "HIGHBALLS", "SOURS", "[TIKI]"}));
  EXPECT_EQ(repondeur_.bips, 0);

  // Nothing selected in the source: a beep, and the focus on the available list.
  choisies->SelectionnerIndex(-1);
  Bouton(*d, 205)->setFocus();
  Cliquer(*d, 205);
  EXPECT_EQ(repondeur_.bips, 1);
  EXPECT_EQ(Entrees(*choisies), Noms{"APERITIFS"});
  EXPECT_EQ(QApplication::focusWidget(), disponibles);

  // Everything across and back; the buttons follow the lists.
  Cliquer(*d, 211);
  EXPECT_EQ(disponibles->NbElements(), 0);
  EXPECT_EQ(Selectionnee(*choisies), "APERITIFS");
  EXPECT_EQ(Actifs(*d, {201, 211}), (Etats{false, false}));
  Cliquer(*d, 204);
  EXPECT_EQ(disponibles->NbElements(), 5);
  EXPECT_EQ(Actifs(*d, {205, 204}), (Etats{false, false}));
  EXPECT_EQ(repondeur_.curseur, Curseur::Fleche);
  d->CommandeControle(204);  // the command on an empty list: a beep
  EXPECT_EQ(repondeur_.bips, 2);
}

// Ok writing the chosen names and the search they serve: see the hostile names' tests.
TEST_F(NewRechTest, LesFamillesChoisiesReviennentEtUneFamilleSupprimeeDisparait) {
  EcrireSelection(CheminSelectionFamilles, {"APERITIFS", "HIGHBALLS", "SOURS"});
  {
    auto d = Ouvrir();
    Onglet(*d, 2);
    EXPECT_EQ(Contenu(*Liste(*d, 210)), (Noms{"[APERITIFS]", "HIGHBALLS", "SOURS"}));
    EXPECT_EQ(Contenu(*Liste(*d, 203)), (Noms{"[DIGESTIFS]", "TIKI"}));
    EXPECT_TRUE(d->Controle<PRadio>(202)->isChecked());  // the criteria radios start afresh
  }
  {
    FicFamille familles;
    ASSERT_TRUE(familles.Ouvrir() && familles.Chercher("HIGHBALLS") && familles.Supprimer());
  }
  EcrireSelection(CheminSelectionFamilles, {"SOURS", "HIGHBALLS", "SOURS", "sours"});
  auto d = Ouvrir();
  Onglet(*d, 2);
  EXPECT_EQ(Entrees(*Liste(*d, 210)), Noms{"SOURS"});
  EXPECT_EQ(Entrees(*Liste(*d, 203)), (Noms{"APERITIFS", "DIGESTIFS", "TIKI"}));
  EXPECT_TRUE(repondeur_.boites.empty());
  EXPECT_EQ(repondeur_.bips, 0);
}

TEST_F(NewRechTest, OkEcritSeulementLeFichierDeSaPage) {
  EcrireSelection(CheminSelectionFamilles, {"TIKI"});
  const auto familles = test::LireOctets("SELECFAM.DAT");
  auto d = Ouvrir();
  Onglet(*d, 2);
  Liste(*d, 203)->SelectionnerIndex(0);
  Cliquer(*d, 201);  // a change on a page left behind is not written
  Onglet(*d, 3);
  Cliquer(*d, 1);
  EXPECT_EQ(test::LireOctets("SELECFAM.DAT"), familles);
  EXPECT_EQ(fs::file_size("SELECCOC.DAT"), 0u);
}

TEST_F(NewRechTest, RienTrouveGardeLeDialogueOuvertAvecSesCriteres) {
  auto d = Ouvrir();
  PEdition* chaine = d->Controle<PEdition>(102);
  d->Controle<PRadio>(104)->click();
  chaine->setFocus();
  test::Taper(chaine, QStringLiteral("i"));  // every name holds an I
  QTest::keyClick(chaine, Qt::Key_Return);   // Enter: Ok

  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->result(), 0);
  // 3010 once, from the engine.
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{std::string("i Ok ") + TexteChaine(ChaineAucunCocktail)});
  EXPECT_TRUE(d->isEnabled());
  EXPECT_TRUE(d->findChildren<DefileDlg*>().isEmpty());
  EXPECT_EQ(chaine->TexteCp1252(), "I");
  EXPECT_TRUE(d->Controle<PRadio>(104)->isChecked());
  EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
  EXPECT_EQ(QApplication::focusWidget(), chaine);

  // The criteria changed, Ok again: found this time.
  d->Controle<PRadio>(103)->click();
  Cliquer(*d, 1);
  EXPECT_EQ(d->result(), 1);
  EXPECT_EQ(test::Noms("RESURECH").size(), 4u);
}

TEST_F(NewRechTest, LaQuestion3011NonAccumuleOuiVide) {
  const auto lancer = [this](const char* chaine, int reponse) {
    auto d = Ouvrir();
    test::Taper(d->Controle<PEdition>(102), QString::fromLatin1(chaine));
    repondeur_.boites.clear();
    repondeur_.reponses = {reponse};
    Cliquer(*d, 1);
    return d->result();
  };
  EXPECT_EQ(lancer("GIN", ReponseOui), 1);  // no result yet: no question
  EXPECT_TRUE(repondeur_.boites.empty());

  EXPECT_EQ(lancer("MOJ", ReponseNon), 1);
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{std::string("? OuiNon ") + TexteChaine(ChaineResultatExistant)});
  EXPECT_EQ(test::Noms("RESURECH"), (Noms{"GIN FIZZ", "MOJITO", "VIRGIN"}));
  EXPECT_EQ(lancer("DAI", ReponseOui), 1);  // Yes clears it first
  EXPECT_EQ(test::Noms("RESURECH"), Noms{"DAIQUIRI"});
}

TEST_F(NewRechTest, ArreterPendantLaRechercheGardeCeQuiEstTrouve) {
  auto d = Ouvrir();
  test::ClicArret clic(d.get());
  Cliquer(*d, 1);
  EXPECT_EQ(clic.vus, 1);
  EXPECT_EQ(clic.titre, QStringLiteral("Recherche en cours..."));
  // DAIQUIRI shown when the click came, then GIN FIZZ examined; a stopped run that found
  // something closes the dialog.
  EXPECT_EQ(test::Noms("RESURECH"), (Noms{"DAIQUIRI", "GIN FIZZ"}));
  EXPECT_EQ(d->result(), 1);
  EXPECT_TRUE(d->findChildren<DefileDlg*>().isEmpty());
}

TEST_F(NewRechTest, BoutonInformationsSuitLaListeQuiALeFocus) {
  auto d = Ouvrir();
  Onglet(*d, 3);
  PListe* disponibles = Liste(*d, 303);
  PListe* choisis = Liste(*d, 311);
  const auto informations = [&] {
    return d->CibleInformations() + Bouton(*d, 306)->text().toStdString() +
           (Bouton(*d, 306)->isEnabled() ? " actif" : " inactif");
  };
  EXPECT_EQ(informations(), "D< &Informations actif");
  QTest::mouseClick(choisis->viewport(), Qt::LeftButton);  // an empty list takes the focus
  EXPECT_EQ(informations(), "S&Informations > inactif");   // 311 is empty, though 303 is not
  disponibles->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(informations(), "D< &Informations actif");

  // The boxes it shows: see the hostile names' tests. No selection, or an ingredient file gone:
  // a beep.
  disponibles->SelectionnerIndex(-1);
  Cliquer(*d, 306);
  EXPECT_EQ(repondeur_.bips, 1);
  disponibles->SelectionnerIndex(0);
  fs::remove("INGRED.DAT");
  fs::remove("INGRED.NDX");
  Cliquer(*d, 306);
  EXPECT_EQ(repondeur_.bips, 2);
  EXPECT_TRUE(repondeur_.boites.empty());
  EXPECT_FALSE(fs::exists("INGRED.DAT"));  // looked up, never created
}

TEST_F(NewRechTest, SelectMultiDeplaceDuBasVersLeHaut) {
  auto d = Ouvrir();
  Onglet(*d, 3);
  std::vector<std::pair<bool, bool>> radios;
  test::PiloteModal pilote([&](PDialogue& dialogue) {
    ASSERT_EQ(dialogue.IdModele(), 209);
    radios.emplace_back(dialogue.Controle<PRadio>(102)->isEnabled(),
                        dialogue.Controle<PRadio>(103)->isEnabled());
    auto* motif = dialogue.Controle<PEdition>(101);
    test::Taper(motif, radios.size() == 1 ? QStringLiteral("CITRON ") : QStringLiteral("VERT"));
    if (radios.size() == 2) dialogue.Controle<PRadio>(103)->click();
    QTest::mouseClick(dialogue.Controle<QPushButton>(1), Qt::LeftButton);
  });
  Cliquer(*d, 302);
  EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
  EXPECT_EQ(radios[0], std::make_pair(true, false));
  // The source is walked from its last entry: the one nearest its top moves last and stays
  // selected.
  EXPECT_EQ(Contenu(*Liste(*d, 311)), (Noms{"[CITRON]", "CITRON VERT", "SIROP DE CITRON"}));
  EXPECT_EQ(QApplication::focusWidget(), Liste(*d, 311));
  EXPECT_EQ(d->CibleInformations(), 'S');
  EXPECT_EQ(Actifs(*d, {305}), Etats{true});

  Cliquer(*d, 302);
  EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
  EXPECT_EQ(radios[1], std::make_pair(true, true));
  EXPECT_EQ(Entrees(*Liste(*d, 311)), (Noms{"CITRON", "SIROP DE CITRON"}));
  EXPECT_EQ(Selectionnee(*Liste(*d, 303)), "CITRON VERT");
  EXPECT_EQ(QApplication::focusWidget(), Liste(*d, 303));
  EXPECT_EQ(repondeur_.curseur, Curseur::Fleche);
}

}  // namespace
}  // namespace velquor
