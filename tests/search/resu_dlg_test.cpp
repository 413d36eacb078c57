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
#include <map>

#include "donnees_fenetres.h"
#include "fenetres_hostiles.h"
#include "framework/boutons.h"
#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "jeu_hostile.h"
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
  // A first ingredient slot empty: no composition line at all.
  Liste()->SelectionnerIndex(2);
  emit Liste()->selectionChangee();
  EXPECT_EQ(Details(), (Noms{"Total 3 / Selection 3", "SANS RIEN", ""}));

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

// Hostile cocktails (jeu_hostile.h): each shows its stored bytes as their characters, plain
// text, CR LF as line breaks; fields without a terminator their whole width, no more.
TEST_F(ResuDlgTest, LesCocktailsHostilesSAffichentTelsQuIlsSontStockes) {
  test::EcrireJeu(true);
  test::EcrireSansTerminateur(true);
  using S = test::SansTerminateur;
  const std::string absinthe = test::IngredientFormat, glace = test::IngredientSansCommentaire;
  const std::string i80 = test::Ingredient80, i90 = test::Ingredient90;
  std::map<std::string, std::vector<std::string>> attendus;  // composition, family, remarks
  attendus[test::CocktailFormat] = {"1/2 <&> \"%s\"; 10%### d' " + absinthe,
                                    "12345678901234567890 " + i80,
                                    test::Octets(0x80, 0x93) + " de " + i90,
                                    test::Octets(0x8C, 0x9F) + " de " + glace,
                                    " d' " + absinthe,
                                    "%d%%%s de " + i80,
                                    " " + i90,
                                    "&amp;" + std::string(15, ';') + " de " + glace,
                                    std::string(20, '"') + " d' " + absinthe,
                                    "<%s>" + std::string(16, '>') + " de " + i90,
                                    test::FamilleFormat,
                                    test::Remarque250};
  // The first row without an ingredient ends the composition.
  attendus[test::Cocktail80] = {"2 cl de " + i80, "%s d' " + absinthe, test::Famille80,
                                "Une ligne\r\n\r\nune autre; \"%s\" & <fin>"};
  attendus[test::Cocktail90] = {test::Octets(0x90, 0x9F) + "#### de " + i90, test::Famille90,
                                test::Remarque125Sauts};
  attendus[S::Nom] = {S::Quantite + " d' " + S::Ingredient, S::Famille, S::Remarques};
  Ouvrir();
  ASSERT_EQ(Liste()->NbElements(), 4);
  for (int i = 0; i < Liste()->NbElements(); ++i) {
    const std::string nom = Liste()->Chaine(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(Liste()->item(i)->text(), test::Montre(nom));
    ASSERT_EQ(attendus.count(nom), 1u);
    test::Cliquer(Liste(), i);
    const std::vector<std::string>& a = attendus.at(nom);
    const std::vector<std::string> lignes = Entrees(*dlg_->Controle<PListe>(504));
    EXPECT_EQ(lignes, std::vector<std::string>(a.begin(), a.end() - 2));
    for (std::size_t k = 0; k < lignes.size(); ++k)
      EXPECT_EQ(dlg_->Controle<PListe>(504)->item(static_cast<int>(k))->text(),
                test::Montre(lignes[k]));
    EXPECT_EQ(Label(502), test::Montre(nom));
    EXPECT_EQ(Label(505), test::Montre(a[a.size() - 2]));
    for (int id : {502, 505})
      EXPECT_EQ(dlg_->Controle<QLabel>(id)->textFormat(), Qt::PlainText);
    EXPECT_EQ(dlg_->Controle<PEditionMulti>(503)->toPlainText(), test::MontreMulti(a.back()));
  }
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_TRUE(repondeur_.boites.empty());
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
