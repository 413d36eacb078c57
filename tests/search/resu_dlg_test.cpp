// The results view: the composition lines, what the view shows of the selected cocktail, the
// totals, the refine pass with its filters, progress and stop, and the keys that must not end
// the view. Then the search from the client area's command to the results view.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "donnees_fenetres.h"
#include "framework/boutons.h"
#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "resources/chaines.h"
#include "search/defile_dlg.h"
#include "search/ligne_composition.h"
#include "search/resu_child.h"
#include "search/resu_dlg.h"
#include "shell/aide.h"
#include "shell/cadre_velquor.h"
#include "shell/client_mdi.h"
#include "shell/velquor_app.h"
#include "shell/vues_programme.h"
#include "support/dossier_temporaire.h"
#include "support_ui/capture.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

using test::Cocktail;
using test::Contenu;
using test::Entrees;
using Noms = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(LigneComposition, LiaisonSelonIngredientEtQuantite) {
  const std::array<const char*, 3> cas[] = {
      {"2", "CITRON", "2 CITRON"},
      {"4 cl", "GIN", "4 cl de GIN"},
      {"1 trait", "ANGOSTURA", "1 trait d' ANGOSTURA"},
      {"2", "OEUF", "2 d' OEUF"},
      {"10", "ORANGE", "10 d' ORANGE"},  // the vowel comes first
      {"1/2", "CITRON", "1/2 de CITRON"},
      {"2", "citron", "2 citron"},
      {"", "GLACE", " GLACE"},
      {"", "YUZU", " d' YUZU"},
      // Only the plain capitals: lower-case and accented vowels take the other connectors.
      {"3 cl", "orgeat", "3 cl de orgeat"},
      {"3 cl", "\xC9\x43ORCE", "3 cl de \xC9\x43ORCE"},  // ÉCORCE
      {"1 ", "GIN", "1  de GIN"},                        // a blank is not a digit
  };
  for (const auto& [quantite, ingredient, ligne] : cas)
    EXPECT_EQ(LigneComposition(quantite, ingredient), ligne);
}

class ResuDlgTest : public test::TestDansDossier {
 protected:
  void Ouvrir() {
    vue_ = std::make_unique<TResuChild>();
    vue_->show();
    vue_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(vue_.get()));
    dlg_ = vue_->Dialogue();
    ASSERT_NE(dlg_, nullptr);
  }
  PListe* Liste() const { return dlg_->Controle<PListe>(501); }
  QString Label(int id) const { return dlg_->Controle<QLabel>(id)->text(); }
  // The totals, the name and the family shown, then the composition lines.
  std::vector<std::string> Details() const {
    std::vector<std::string> details = {Label(555).toStdString(), Label(502).toStdString(),
                                        Label(505).toStdString()};
    for (const std::string& ligne : Entrees(*dlg_->Controle<PListe>(504)))
      details.push_back(ligne);
    return details;
  }
  std::string Remarques() const { return dlg_->Controle<PEditionMulti>(503)->TexteCp1252(); }

  // Runs the refine dialog from command 109, choosing a family, an ingredient (nullptr: leave
  // as offered; "": the first entry) and an alcohol radio.
  void Affiner(const char* famille, const char* ingredient, int radio) {
    test::PiloteModal pilote([&](PDialogue& d) {
      ASSERT_EQ(d.IdModele(), 208);
      contexteDansFiltre_ = ContexteAide;
      const auto choisir = [&d](int id, const char* texte) {
        if (!texte) return;
        auto* combo = d.Controle<PCombo>(id);
        combo->SelectionnerIndex(*texte ? combo->ChercherExact(texte) : 0);
      };
      choisir(101, famille);
      choisir(102, ingredient);
      if (radio) d.Controle<PRadio>(radio)->click();
      QTest::mouseClick(d.Controle<QPushButton>(1), Qt::LeftButton);
    });
    dlg_->CommandeControle(TResuDlg::CmAffinerRecherche);
  }

  test::RepondeurScripte repondeur_;
  std::unique_ptr<TResuChild> vue_;
  TResuDlg* dlg_ = nullptr;
  int contexteDansFiltre_ = -1;
};

TEST_F(ResuDlgTest, AfficheLePremierCocktailEtLesTotaux) {
  test::CreerCocktails(
      {{"MOJITO",
        "HIGHBALLS",
        {"RHUM", "MENTHE", "SUCRE", "", "EAU GAZEUSE"},
        {"4 cl", "6 feuilles", "2", "", "10 cl"},
        "Piler la menthe.\r\nAllonger."},
       {"DAIQUIRI", "SOURS", {"RHUM", "CITRON VERT", "SIROP"}, {"6 cl", "2 cl", ""}},
       {"SANS RIEN", "", {"", "GIN"}, {"1", "2 cl"}}},
      BaseResultat);
  Ouvrir();
  EXPECT_EQ(Contenu(*Liste()), (Noms{"[DAIQUIRI]", "MOJITO", "SANS RIEN"}));
  EXPECT_EQ(Details(), (Noms{"Total 3 / Selection 3", "DAIQUIRI", "SOURS", "6 cl de RHUM",
                             "2 cl de CITRON VERT", " SIROP"}));
  EXPECT_EQ(repondeur_.curseur, Curseur::Fleche);

  // The user picks MOJITO (what each cocktail shows: see the hostile names' tests).
  QTest::mouseClick(Liste()->viewport(), Qt::LeftButton, {},
                    Liste()->visualItemRect(Liste()->item(1)).center());
  EXPECT_EQ(Details()[1], "MOJITO");
  test::EnregistrerCapture(vue_.get(), QStringLiteral("resu_dlg"));

  // A first ingredient slot empty: no composition line at all.
  Liste()->SelectionnerIndex(2);
  emit Liste()->selectionChangee();
  EXPECT_EQ(Details(), (Noms{"Total 3 / Selection 3", "SANS RIEN", ""}));
  EXPECT_EQ(repondeur_.bips, 0);

  // A name gone from the result since: a beep, and the details stay empty.
  {
    FicCocktail resultat(BaseResultat);
    ASSERT_TRUE(resultat.Ouvrir() && resultat.Chercher("MOJITO") && resultat.Supprimer());
  }
  Liste()->SelectionnerIndex(1);
  emit Liste()->selectionChangee();
  EXPECT_EQ(repondeur_.bips, 1);
  EXPECT_EQ(Details(), (Noms{"Total 3 / Selection 3", "", ""}));
  EXPECT_TRUE(Remarques().empty());
}

TEST_F(ResuDlgTest, SansResultatLaVueSOuvreVide) {
  Ouvrir();  // the pair is created, as at every opening
  EXPECT_EQ(Liste()->NbElements(), 0);
  // A refine over nothing shows nothing, not even 3010.
  Affiner("", "", 0);
  EXPECT_TRUE(repondeur_.boites.empty());
  EXPECT_EQ(Details(), (Noms{"Total 0 / Selection 0", "", ""}));
}

TEST_F(ResuDlgTest, EchapEtFermetureBipentEntreneFaitRien) {
  test::CreerCocktails({{"MOJITO"}, {"ZOMBIE"}}, BaseResultat);
  Ouvrir();
  Liste()->setFocus();
  QTest::keyClick(Liste(), Qt::Key_Escape);
  EXPECT_EQ(repondeur_.bips, 1);
  EXPECT_TRUE(dlg_->isVisible());
  dlg_->close();
  EXPECT_EQ(repondeur_.bips, 2);
  EXPECT_TRUE(dlg_->isVisible());

  QTest::keyClick(Liste(), Qt::Key_Return);
  QTest::keyClick(dlg_->Controle<PEditionMulti>(503), Qt::Key_Return);
  EXPECT_TRUE(dlg_->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), Liste());
  EXPECT_EQ(repondeur_.bips, 2);
  EXPECT_EQ(dlg_->result(), 0);

  // The remarks can be read, not typed into.
  dlg_->Controle<PEditionMulti>(503)->setFocus();
  QTest::keyClick(dlg_->Controle<PEditionMulti>(503), Qt::Key_A);
  EXPECT_EQ(repondeur_.bips, 3);
  QTest::keyClick(dlg_->Controle<PEditionMulti>(503), Qt::Key_Escape);
  EXPECT_EQ(repondeur_.bips, 4);
  EXPECT_TRUE(dlg_->isVisible());
}

// Ten results, three in the family SOURS, one of those without an alcoholic ingredient.
void DixResultats() {
  test::CreerIngredients({{"CITRON", false},
                          {"GIN", true},
                          {"RHUM", true},
                          {"SIROP", false},
                          {"VODKA", true},
                          {"ORANGE", false}});
  test::CreerCocktails({{"C01", "SOURS", {"GIN", "CITRON"}},
                        {"C02", "SOURS", {"CITRON", "SIROP", "INCONNU"}},  // not alcoholic
                        {"C03", "SOURS", {"SIROP", "RHUM"}},
                        {"C04", "TIKI", {"RHUM"}},
                        {"C05", "TIKI", {"ORANGE"}},
                        {"C06", "HIGHBALLS", {"VODKA", "ORANGE"}},
                        {"C07", "HIGHBALLS", {"GIN"}},
                        {"C08", "", {"CITRON"}},
                        {"C09", "FLIPS", {}},
                        {"C10", "SOURS EXOTIQUES", {"RHUM", "CITRON"}}},
                       BaseResultat);
}

TEST_F(ResuDlgTest, AffinerFamilleEtNonAlcooliseDonneUnSurDix) {
  test::CreerFamilles({{"FLIPS"}, {"HIGHBALLS"}, {"SOURS"}, {"SOURS EXOTIQUES"}, {"TIKI"}});
  DixResultats();
  const auto donnees = test::LireOctets("RESURECH.DAT");
  const auto index = test::LireOctets("RESURECH.NDX");
  Ouvrir();
  Affiner("SOURS", nullptr, 105);
  EXPECT_EQ(contexteDansFiltre_, AideAffinerRech);
  EXPECT_EQ(ContexteAide, AideResultat);
  EXPECT_EQ(Contenu(*Liste()), Noms{"[C02]"});
  EXPECT_EQ(Label(502), QStringLiteral("C02"));  // and shown
  EXPECT_EQ(Label(555), QStringLiteral("Total 10 / Selection 1"));
  EXPECT_TRUE(repondeur_.boites.empty());

  // Filters replace each other and are offered again: everything, then the alcoholic ones
  // with CITRON in any family, then the others.
  Affiner("", "", 103);
  EXPECT_EQ(Liste()->NbElements(), 10);
  EXPECT_EQ(Label(555), QStringLiteral("Total 10 / Selection 10"));
  Affiner(nullptr, "CITRON", 104);
  EXPECT_EQ(Entrees(*Liste()), (Noms{"C01", "C10"}));
  Affiner(nullptr, "", 105);
  EXPECT_EQ(Entrees(*Liste()), (Noms{"C02", "C05", "C08", "C09"}));

  // The result pair was only read.
  EXPECT_EQ(test::LireOctets("RESURECH.DAT"), donnees);
  EXPECT_EQ(test::LireOctets("RESURECH.NDX"), index);
}

TEST_F(ResuDlgTest, AffinerSansCorrespondanceMontre3010) {
  test::CreerFamilles({{"FLIPS"}, {"TIKI"}});
  DixResultats();
  Ouvrir();
  Affiner("FLIPS", nullptr, 104);  // C09 has no ingredient at all
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{std::string("i Ok ") + TexteChaine(ChaineAucunCocktail)});
  EXPECT_EQ(Liste()->NbElements(), 0);
  EXPECT_EQ(Details(), (Noms{"Total 10 / Selection 0", "", ""}));

  // Without the ingredient file nothing counts as alcoholic; it is not created.
  fs::remove("INGRED.DAT");
  fs::remove("INGRED.NDX");
  Affiner("", nullptr, 105);
  EXPECT_EQ(Liste()->NbElements(), 10);
  EXPECT_FALSE(fs::exists("INGRED.DAT"));
  EXPECT_EQ(repondeur_.boites.size(), 1u);
}

TEST_F(ResuDlgTest, ArreterLAffinageGardeCeQuiEstPasse) {
  DixResultats();
  Ouvrir();
  test::ClicArret arret(vue_.get());
  Affiner(nullptr, nullptr, 103);
  EXPECT_FALSE(arret.fenetreActive);  // the main window is disabled meanwhile
  EXPECT_TRUE(arret.defileActif);
  // The click is heard after the first record: the first and the second are examined.
  EXPECT_EQ(Entrees(*Liste()), (Noms{"C01", "C02"}));
  EXPECT_EQ(Label(555), QStringLiteral("Total 10 / Selection 2"));
  EXPECT_TRUE(vue_->isEnabled());
}

// The program: command 108 (menu or toolbar) runs the search dialog; Ok at once copies every
// cocktail into RESURECH and opens the results view, whose command 109 refines it.
class RechercheDansLeProgramme : public test::TestDansDossier {
 protected:
  test::RepondeurScripte repondeur_;
};

TEST_F(RechercheDansLeProgramme, OkAussitotOuvreLaVueDuResultat) {
  test::CreerCocktails(
      {{"MOJITO",
        "HIGHBALLS",
        {"RHUM", "MENTHE", "SUCRE", "EAU GAZEUSE"},
        {"4 cl", "6 feuilles", "2", "10 cl"},
        "Piler la menthe avec le sucre.\r\nAllonger."},
       {"DAIQUIRI", "SOURS", {"RHUM", "CITRON VERT"}, {"6 cl", "2 cl"}},
       {"NEGRONI", "APERITIFS", {"GIN", "VERMOUTH ROUGE", "CAMPARI"}, {"3 cl", "3 cl", "3 cl"}}});
  TVelquorApp application(EnregistrerVuesProgramme);
  application.CreerFenetrePrincipale();
  QWidget* cadre = application.Cadre();
  cadre->show();
  cadre->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(cadre));
  TVelquorMDIClient* client = application.ClientMDI;
  {
    test::PiloteModal pilote([&](PDialogue& d) {
      ASSERT_EQ(d.IdModele(), 205);
      QTest::mouseClick(d.Controle<QPushButton>(1), Qt::LeftButton);
    });
    EXPECT_TRUE(application.Routeur().Envoyer(108));
  }
  auto* vue = dynamic_cast<TResuChild*>(client->VueResultat());
  ASSERT_NE(vue, nullptr);
  EXPECT_EQ(Entrees(*vue->Dialogue()->Controle<PListe>(501)),
            (Noms{"DAIQUIRI", "MOJITO", "NEGRONI"}));
  EXPECT_TRUE(repondeur_.boites.empty());
  vue->Dialogue()->Controle<PListe>(501)->SelectionnerIndex(1);
  emit vue->Dialogue()->Controle<PListe>(501)->selectionChangee();
  application.PasseInactive();
  test::EnregistrerCapture(cadre, QStringLiteral("resu_programme"));

  // The menu's "Affiner la recherche" reaches the view's dialog.
  cadre->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(cadre));
  EXPECT_TRUE(application.Routeur().EstActive(TResuDlg::CmAffinerRecherche));
  {
    int modele = 0;
    test::PiloteModal affiner([&](PDialogue& d) { modele = d.IdModele(); });
    EXPECT_TRUE(application.Routeur().Envoyer(TResuDlg::CmAffinerRecherche));
    EXPECT_EQ(modele, 208);
  }

  // A new search, cancelled: no view, the result kept.
  {
    test::PiloteModal annule(
        [&](PDialogue& d) { QTest::mouseClick(d.Controle<QPushButton>(2), Qt::LeftButton); });
    EXPECT_TRUE(application.Routeur().Envoyer(108));
  }
  EXPECT_EQ(client->VueResultat(), nullptr);
  EXPECT_EQ(test::Noms("RESURECH").size(), 3u);
}

}  // namespace
}  // namespace velquor
