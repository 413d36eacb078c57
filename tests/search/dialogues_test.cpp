// SPDX-License-Identifier: GPL-3.0-or-later
// The search's dialogs: the search dialog launching the run (the clear question, the progress
// window and its stop, the nothing-found outcome), the progress dialog and its reporter, the
// combo boxes' type-ahead, and the multiple selection dialog.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "donnees_fenetres.h"
#include "framework/boutons.h"
#include "framework/edition.h"
#include "resources/chaines.h"
#include "search/cb_assist.h"
#include "search/new_rech.h"
#include "search/rapporteur_defile.h"
#include "search/sel_multi.h"
#include "store/pannes_fichiers.h"
#include "support/dossier_temporaire.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

using Noms = std::vector<std::string>;

class NewRechTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    test::CreerCocktails({{"DAIQUIRI"}, {"GIN FIZZ"}, {"MOJITO"}, {"VIRGIN"}});
  }
  // The dialog as the user finds it: shown and active, the string typed.
  std::unique_ptr<NewRech> Ouvrir(const QString& chaine) {
    auto dialogue = std::make_unique<NewRech>(nullptr);
    dialogue->show();
    dialogue->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialogue.get()));
    test::Taper(dialogue->Controle<PEdition>(102), chaine);
    return dialogue;
  }
  static void Ok(const NewRech& d) {
    QTest::mouseClick(d.Controle<QPushButton>(1), Qt::LeftButton);
  }

  test::RepondeurScripte repondeur_;
};

TEST_F(NewRechTest, RienTrouveGardeLeDialogueEtLaQuestionDEffacement) {
  auto d = Ouvrir(QStringLiteral("i"));  // every name holds an I
  d->Controle<PRadio>(104)->click();
  QTest::keyClick(d->Controle<PEdition>(102), Qt::Key_Return);  // Enter: Ok
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->result(), 0);
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{std::string("i Ok ") + TexteChaine(ChaineAucunCocktail)});
  EXPECT_EQ(d->Controle<PEdition>(102)->TexteCp1252(), "I");
  EXPECT_TRUE(d->Controle<PRadio>(104)->isChecked());

  const auto lancer = [this](const char* chaine, int reponse) {
    auto d = Ouvrir(QString::fromLatin1(chaine));
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
  EXPECT_EQ(test::Noms(BaseResultat), (Noms{"GIN FIZZ", "MOJITO", "VIRGIN"}));
  EXPECT_EQ(lancer("DAI", ReponseOui), 1);
  EXPECT_EQ(test::Noms(BaseResultat), Noms{"DAIQUIRI"});
}

// A disk that refuses the result's writes: said, and the dialog stays open; nothing is shown as
// found.
TEST_F(NewRechTest, UnResultatQuiNePeutEtreEcritEstDitEtLeDialogueResteOuvert) {
  test::CreerCocktails({{"ANCIEN"}}, BaseResultat);
  auto d = Ouvrir(QStringLiteral("i"));
  repondeur_.reponses = {ReponseNon};  // the earlier result is kept
  pannes::Programmer(pannes::Operation::Ecriture, 1, ENOSPC, false, true);
  Ok(*d);
  pannes::Effacer();
  EXPECT_TRUE(d->isVisible());
  ASSERT_EQ(test::Boites(repondeur_).size(), 2u);
  EXPECT_EQ(test::Boites(repondeur_)[1],
            "x Ok Le résultat de la recherche n'a pas pu être écrit dans RESURECH : il garde ce "
            "qu'il contenait.");
  EXPECT_EQ(test::Noms(BaseResultat), Noms{"ANCIEN"});
}

TEST_F(NewRechTest, ArreterPendantLaRechercheGardeCeQuiEstTrouve) {
  auto d = Ouvrir({});
  test::ObservateurDefile clic(d.get(), true);
  Ok(*d);
  EXPECT_EQ(clic.vus, 1);
  EXPECT_EQ(clic.titre, QStringLiteral("Recherche en cours..."));
  EXPECT_FALSE(clic.fenetreActive);
  EXPECT_TRUE(clic.arretActif);
  // DAIQUIRI shown when the click came, then GIN FIZZ examined; a stopped run that found
  // something closes the dialog.
  EXPECT_EQ(test::Noms(BaseResultat), (Noms{"DAIQUIRI", "GIN FIZZ"}));
  EXPECT_EQ(d->result(), 1);
}

TEST(DefileDlg, PourcentageTronqueEtBorne) {
  // {total, ordinal, percentage}; not 28 from 0.29 * 100. A total of 0 (an empty header over
  // records) and ordinals past the total stay at 100.
  const int cas[][3] = {{100, 29, 29}, {0, 1, 100}, {3, 7, 100}};
  for (const auto& [total, ordinal, pourcentage] : cas)
    EXPECT_EQ(DefileDlg::Pourcentage(total, ordinal), pourcentage) << total << " " << ordinal;
}

// Escape asks for the stop as the button does, without closing the dialog.
TEST(DefileDlg, EchapDemandeLArretSansFermer) {
  DefileDlg dialogue(nullptr);
  dialogue.Montrer();
  EXPECT_FALSE(dialogue.MettreAJour("A", 10, 1));
  QTest::keyClick(&dialogue, Qt::Key_Escape);
  EXPECT_TRUE(dialogue.isVisible());
  EXPECT_TRUE(dialogue.MettreAJour("B", 10, 2));
  EXPECT_TRUE(dialogue.MettreAJour("C", 10, 3));  // never reset
}

TEST(RapporteurDefile, SansFinLaFenetreEstRendueQuandIlDisparait) {
  QWidget principale;
  QWidget* vue = new QWidget(&principale);
  principale.show();
  {
    RapporteurDefile progression(vue, &principale);
    progression.Debut();
    ASSERT_NE(progression.Dialogue(), nullptr);
    EXPECT_FALSE(principale.isEnabled());
  }
  EXPECT_TRUE(principale.isEnabled());
  EXPECT_TRUE(vue->findChildren<DefileDlg*>().isEmpty());
}

// The field's text, its selected part in brackets.
std::string Champ(const QLineEdit* e) {
  QString texte = e->text();
  if (e->hasSelectedText()) {
    texte.insert(e->selectionEnd(), QLatin1Char(']'));
    texte.insert(e->selectionStart(), QLatin1Char('['));
  }
  return texte.toStdString();
}

TEST(CbAssist, CompleteAvecLaPremiereEntreeSaufQuandOnEfface) {
  CbAssist combo(nullptr, 31);
  combo.DefinirSaisie({.majuscules = true, .limite = 30});
  std::vector<bool> resultats;
  QObject::connect(&combo, &PCombo::texteSaisi, [&] { resultats.push_back(combo.Completer()); });
  for (const char* nom : {"GRENADINE", "GIN", "CITRON"})
    combo.AjouterChaine(nom);
  combo.show();
  QLineEdit* edition = combo.lineEdit();
  test::Taper(edition, QStringLiteral("g"));  // capitals by the field's rule
  EXPECT_EQ(Champ(edition), "G[RENADINE]");
  // The next letter replaces the completed part and is compared with what was typed.
  test::Taper(edition, QStringLiteral("I"));
  EXPECT_EQ(Champ(edition), "GI[N]");
  // Deleting never completes; typing again after it does.
  QTest::keyClick(edition, Qt::Key_Backspace);  // removes the completed part
  EXPECT_EQ(Champ(edition), "GI");
  QTest::keyClick(edition, Qt::Key_Backspace);
  test::Taper(edition, QStringLiteral("R"));
  EXPECT_EQ(Champ(edition), "GR[ENADINE]");
  EXPECT_EQ(resultats, (std::vector<bool>{true, true, false, false, true}));

  // The text is read as into a buffer of the text limit: its last byte is the terminator.
  CbAssist court(nullptr, 4);
  court.DefinirSaisie({});
  court.DefinirTexteCp1252("GINA");
  court.Completer();
  EXPECT_EQ(court.TexteAvant(), "GIN");
}

TEST(SelMulti, RadiosEtEtiquetteSelonLesListesEtMotifSansBlancsFinaux) {
  struct Cas {
    bool selection, deselection;
    const char* tape;
    int resultat;
    std::string motif, etiquette;  // the pattern returned; label 110 at set-up
  };
  const std::string sel = "Sélection des &ingrédients contenant: ";
  const Cas cas[] = {
      {true, true, " gin  ", SelMulti::Selection, " GIN", sel},
      // Available list empty: only deselection, checked from the start.
      {false, true, "GIN", SelMulti::Deselection, "GIN",
       "Désélection des &ingrédients contenant: "},
      // Blanks only: a beep, the dialog stays (the pilot then cancels it), the buffer untouched.
      {true, false, "   ", 2, "(intact)", sel},
  };
  test::RepondeurScripte repondeur;
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tape);
    std::string etiquette, motif = "(intact)";
    test::PiloteModal pilote([&](PDialogue& d) {
      etiquette = d.Controle<QLabel>(110)->text().toStdString();
      test::Taper(d.Controle<PEdition>(101), c.tape);
      QTest::mouseClick(d.Controle<QPushButton>(1), Qt::LeftButton);
    });
    EXPECT_EQ(SelMulti(nullptr, motif, c.selection, c.deselection).Executer(), c.resultat);
    EXPECT_EQ(motif, c.motif);
    EXPECT_EQ(etiquette, c.etiquette);
  }
  EXPECT_EQ(repondeur.bips, 1);
}

TEST(DeplacerContenant, DuDernierAuPremierLeDernierDeplaceResteSelectionne) {
  PListe source, destination;
  source.DefinirTrie(true);
  destination.DefinirTrie(true);
  for (const char* nom : {"AU CITRON", "CITRON", "GIN", "JUS DE CITRON"})
    source.AjouterChaine(nom);
  destination.AjouterChaine("ANGOSTURA");
  EXPECT_EQ(DeplacerContenant(source, destination, " CITRON"), 2);
  EXPECT_EQ(test::Entrees(source), (Noms{"CITRON", "GIN"}));
  EXPECT_EQ(test::Contenu(destination), (Noms{"ANGOSTURA", "[AU CITRON]", "JUS DE CITRON"}));
  EXPECT_EQ(DeplacerContenant(source, destination, "citron"), 0);  // case-sensitive
}

}  // namespace
}  // namespace velquor
