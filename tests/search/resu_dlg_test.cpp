// SPDX-License-Identifier: GPL-3.0-or-later
// The results view: the composition lines, what the view shows of the selected cocktail, the
// totals, the refine pass with its filters, progress and stop, and the keys that must not end
// the view.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

#include "donnees_fenetres.h"
#include "fenetres_hostiles.h"
#include "framework/boutons.h"
#include "framework/combo.h"
#include "framework/edition.h"
#include "jeu_hostile.h"
#include "search/ligne_composition.h"
#include "search/resu_child.h"
#include "search/resu_dlg.h"
#include "support/dossier_temporaire.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

using test::Contenu;
using test::Entrees;
using Noms = std::vector<std::string>;

TEST(LigneComposition, LiaisonSelonIngredientEtQuantite) {
  const std::array<const char*, 3> cas[] = {
      {"2", "CITRON", "2 CITRON"},
      {"4 cl", "GIN", "4 cl de GIN"},
      {"1 trait", "ANGOSTURA", "1 trait d' ANGOSTURA"},
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

  // Runs the refine dialog from command 109, choosing a family, an ingredient (nullptr: leave
  // as offered; "": the first entry) and an alcohol radio.
  void Affiner(const char* famille, const char* ingredient, int radio) {
    test::PiloteModal pilote([&](PDialogue& d) {
      ASSERT_EQ(d.IdModele(), 208);
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
};

TEST_F(ResuDlgTest, AfficheLePremierCocktailEtLesTotaux) {
  test::CreerCocktails(
      {{"MOJITO", "HIGHBALLS", {"RHUM"}, {"4 cl"}, "Piler."},
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
  EXPECT_EQ(dlg_->Controle<PEditionMulti>(503)->TexteCp1252(), "");
}

// Fields without a terminator show their whole width and no more; names are plain text, their
// markup and "%s" shown as stored, CR LF as a line break.
TEST_F(ResuDlgTest, LesChampsSAffichentTelsQuIlsSontStockes) {
  using S = test::SansTerminateur;
  test::EcrireSansTerminateur(true);
  {
    FicCocktail f(BaseResultat);
    ASSERT_TRUE(f.Ouvrir());
    f.Enreg =
        test::Enregistrement(test::Cocktail{"<b>%s</b>", "<i>%n", {"&amp;"}, {"%d"}, "a\r\nb"});
    ASSERT_TRUE(f.Ajouter("<b>%s</b>"));
  }
  Ouvrir();
  ASSERT_EQ(Entrees(*Liste()), (Noms{"<b>%s</b>", S::Nom}));
  EXPECT_EQ(Details(), (Noms{"Total 2 / Selection 2", "<b>%s</b>", "<i>%n", "%d de &amp;"}));
  for (int id : {502, 505})
    EXPECT_EQ(dlg_->Controle<QLabel>(id)->textFormat(), Qt::PlainText);
  EXPECT_EQ(dlg_->Controle<PEditionMulti>(503)->toPlainText(), "a\nb");
  test::Cliquer(Liste(), 1);
  EXPECT_EQ(Label(502), test::Montre(S::Nom));
  EXPECT_EQ(Details(), (Noms{"Total 2 / Selection 2", S::Nom, S::Famille,
                             S::Quantite + " d' " + S::Ingredient}));
  EXPECT_EQ(dlg_->Controle<PEditionMulti>(503)->toPlainText(), test::MontreMulti(S::Remarques));
  EXPECT_EQ(repondeur_.bips, 0);
}

// The family SOURS holds one cocktail without an alcoholic ingredient and two with one.
TEST_F(ResuDlgTest, AffinerFamilleEtNonAlcooliseDonneLeSeulSansAlcool) {
  test::CreerFamilles({{"SOURS"}, {"SOURS EXOTIQUES"}, {"TIKI"}});
  test::CreerIngredients({{"CITRON"}, {"GIN", true}, {"RHUM", true}, {"SIROP"}});
  test::CreerCocktails({{"C01", "SOURS", {"GIN", "CITRON"}},
                        {"C02", "SOURS", {"CITRON", "SIROP", "INCONNU"}},  // not alcoholic
                        {"C03", "SOURS", {"SIROP", "RHUM"}},
                        {"C04", "TIKI", {"SIROP"}},
                        {"C05", "SOURS EXOTIQUES", {"RHUM", "CITRON"}}},
                       BaseResultat);
  const auto donnees = test::LireOctets("RESURECH.DAT");
  const auto index = test::LireOctets("RESURECH.NDX");
  Ouvrir();
  Affiner("SOURS", nullptr, 105);
  EXPECT_EQ(Contenu(*Liste()), Noms{"[C02]"});
  EXPECT_EQ(Label(502), QStringLiteral("C02"));  // and shown
  EXPECT_EQ(Label(555), QStringLiteral("Total 5 / Selection 1"));
  // Filters replace each other and are offered again: the alcoholic ones with CITRON in any
  // family.
  Affiner("", "CITRON", 104);
  EXPECT_EQ(Entrees(*Liste()), (Noms{"C01", "C05"}));
  // The result pair was only read.
  EXPECT_EQ(test::LireOctets("RESURECH.DAT"), donnees);
  EXPECT_EQ(test::LireOctets("RESURECH.NDX"), index);
}

}  // namespace
}  // namespace velquor
