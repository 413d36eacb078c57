#include "framework/dialogue.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Texte, -1, "&Nom", {5, 5, 40, 8}},
    {Genre::Edition, 101, "", {50, 5, 100, 12}, st::Majuscules, 30},
    {Genre::Edition, 102, "", {50, 20, 100, 30}, st::MultiLigne, 250},
    {Genre::Bouton, 103, "&Action", {5, 60, 50, 14}},
    {Genre::Bouton, 1, "Ok", {60, 60, 50, 14}},
    {Genre::Bouton, 2, "Annuler", {115, 60, 50, 14}},
};
constexpr ModeleDialogue kModele{
    9002, "Essai", {0, 0, 170, 80}, sd::Titre | sd::MenuSysteme, kControles};

constexpr ModeleControle kControlesDefaut[] = {
    {Genre::Edition, 101, "", {5, 5, 100, 12}},
    {Genre::Bouton, 105, "Lancer", {5, 20, 50, 14}, st::Defaut},
    {Genre::Bouton, 1, "Ok", {60, 20, 50, 14}},
};
constexpr ModeleDialogue kModeleDefaut{
    9003, "Défaut", {0, 0, 120, 40}, sd::Titre, kControlesDefaut};

class TEssaiDlg : public PDialogue {
 public:
  explicit TEssaiDlg(const ModeleDialogue& modele = kModele, QWidget* parent = nullptr)
      : PDialogue(modele, parent) {
    Commande(103, [this] { ++actions; });
  }
  int setups = 0;
  int actions = 0;

 protected:
  void SetupWindow() override {
    ++setups;
    Controle<PEdition>(101)->setText(QStringLiteral("PRÊT"));
  }
};

TEST(Dialogue, SetupWindowUneSeuleFoisALaCreation) {
  TEssaiDlg dialogue;
  EXPECT_EQ(dialogue.ControleParId(101), nullptr);  // nothing before creation
  dialogue.show();
  EXPECT_EQ(dialogue.setups, 1);
  EXPECT_EQ(dialogue.Controle<PEdition>(101)->text(), QStringLiteral("PRÊT"));
  dialogue.hide();
  dialogue.show();
  EXPECT_TRUE(dialogue.Creer());
  EXPECT_EQ(dialogue.setups, 1);
  EXPECT_EQ(dialogue.size(), QSize(255, 130));
}

TEST(Dialogue, ModeleInconnu) {
  PDialogue dialogue(424242);
  EXPECT_EQ(dialogue.Modele(), nullptr);
  EXPECT_FALSE(dialogue.Creer());
  EXPECT_EQ(dialogue.Executer(), -1);
}

TEST(Dialogue, LesBoutonsEnvoientLeurIdAuDialogue) {
  TEssaiDlg dialogue;
  dialogue.show();
  QTest::mouseClick(dialogue.Controle<QPushButton>(103), Qt::LeftButton);
  EXPECT_EQ(dialogue.actions, 1);
  EXPECT_TRUE(dialogue.isVisible());
  QTest::mouseClick(dialogue.Controle<QPushButton>(1), Qt::LeftButton);
  EXPECT_FALSE(dialogue.isVisible());  // CmOk ends a modeless dialog too
  EXPECT_EQ(dialogue.result(), 1);
}

// Runs the dialog modally; the seam acts on it from inside the run.
int ExecuterAvec(PDialogue& dialogue, CoutureModale action) {
  test::PiloteModal pilote(std::move(action));
  return dialogue.Executer();
}

// A key pressed in the name field.
CoutureModale Touche(Qt::Key touche) {
  return [touche](PDialogue& d) { QTest::keyClick(d.Controle<PEdition>(101), touche); };
}

TEST(Dialogue, EntreeEchapEtLaCaseDeFermetureFinissentLeDialogue) {
  const struct {
    const char* cas;
    CoutureModale action;
    int attendu;
  } kCas[] = {
      {"Entrée", Touche(Qt::Key_Return), 1},
      {"Echap", Touche(Qt::Key_Escape), 2},
      // Enter in a multi-line field goes to the dialog too; Ctrl+Enter makes a line.
      {"multi",
       [](PDialogue& d) {
         auto* multi = d.Controle<PEditionMulti>(102);
         QTest::keyClick(multi, Qt::Key_Return, Qt::ControlModifier);
         EXPECT_EQ(multi->toPlainText(), QStringLiteral("\n"));
         QTest::keyClick(multi, Qt::Key_Return);
       },
       1},
      // Enter on a focused push button presses that button; then the close box.
      {"bouton",
       [](PDialogue& d) {
         QTest::keyClick(d.Controle<QPushButton>(103), Qt::Key_Return);
         EXPECT_EQ(static_cast<TEssaiDlg&>(d).actions, 1);
         d.close();
       },
       2},
      // Left open by the seam: closed for it.
      {"ouvert", [](PDialogue& d) { EXPECT_TRUE(d.EnExecution() && d.isVisible()); }, 2},
  };
  for (const auto& c : kCas) {
    SCOPED_TRACE(c.cas);
    TEssaiDlg dialogue;
    EXPECT_EQ(ExecuterAvec(dialogue, c.action), c.attendu);
    EXPECT_FALSE(dialogue.EnExecution());
  }
}

constexpr ModeleControle kControlesCombo[] = {
    {Genre::ComboSaisie, 851, "", {5, 5, 100, 60}, st::Trie | st::Majuscules, 30},
    {Genre::Liste, 501, "", {5, 20, 100, 40}},
    {Genre::Bouton, 1, "ok", {5, 65, 50, 14}},
};
constexpr ModeleDialogue kModeleCombo{9004, "", {0, 0, 120, 80}, sd::Enfant, kControlesCombo};

TEST(Dialogue, EntreeDansUnComboEtFocusDesControles) {
  PDialogue dialogue(kModeleCombo);
  int oks = 0;
  dialogue.Commande(1, [&] { ++oks; });
  dialogue.show();
  QApplication::setActiveWindow(&dialogue);
  auto* combo = dialogue.Controle<PCombo>(851);
  auto* liste = dialogue.Controle<PListe>(501);
  int perdus = 0;
  QObject::connect(combo, &PCombo::focusPerdu, [&] { ++perdus; });
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Return);
  EXPECT_EQ(oks, 1);  // a combo box's field leaves Enter to the dialog
  liste->setFocus();
  EXPECT_EQ(perdus, 1);
  QTest::keyClick(liste, Qt::Key_Return);
  EXPECT_EQ(oks, 2);
}

TEST(Dialogue, EntreeVaAuBoutonParDefaut) {
  TEssaiDlg dialogue(kModeleDefaut);
  int lancements = 0;
  dialogue.Commande(105, [&] { ++lancements; });
  dialogue.show();
  EXPECT_EQ(dialogue.IdDefaut(), 105);
  QTest::keyClick(dialogue.Controle<PEdition>(101), Qt::Key_Return);
  EXPECT_EQ(lancements, 1);
  // A disabled default button takes Enter and does nothing.
  dialogue.Controle<QPushButton>(105)->setEnabled(false);
  QTest::keyClick(dialogue.Controle<PEdition>(101), Qt::Key_Enter);
  EXPECT_EQ(lancements, 1);
  EXPECT_TRUE(dialogue.isVisible());
}

TEST(Dialogue, CouturesImbriquees) {
  // A modal dialog started from inside another one's run reaches the seam as well.
  TEssaiDlg exterieur;
  std::vector<int> vus;
  int r = ExecuterAvec(exterieur, [&](PDialogue& d) {
    vus.push_back(d.IdModele());
    if (d.IdModele() == kModele.id) {
      TEssaiDlg interieur(kModeleDefaut, &d);
      EXPECT_EQ(interieur.Executer(), 2);
      d.FermerDialogue(7);
    }
  });
  EXPECT_EQ(r, 7);
  EXPECT_EQ(vus, (std::vector<int>{kModele.id, kModeleDefaut.id}));
}

TEST(Dialogue, ClassePropreLieeAUnId) {
  class PEditionAMoi : public PEdition {
   public:
    using PEdition::PEdition;
  };
  TEssaiDlg dialogue;
  dialogue.Lier(101, [](QWidget* parent) { return new PEditionAMoi(parent); });
  dialogue.Creer();
  auto* edition = dialogue.Controle<PEditionAMoi>(101);
  ASSERT_NE(edition, nullptr);
  // The template's styles still apply to the program's own class.
  EXPECT_EQ(edition->Regles().limite, 30);
  EXPECT_TRUE(edition->Regles().majuscules);
}

TEST(Dialogue, ActiverFenetreLaisseSesFenetresPossedeesActives) {
  QWidget principale;
  QWidget interieur(&principale);
  PDialogue progression(206, &interieur);  // a dialog owned by a window inside the main one
  progression.show();
  QWidget desactivee(&principale, Qt::Dialog);
  desactivee.setEnabled(false);

  ActiverFenetre(&principale, false);
  EXPECT_FALSE(principale.isEnabled());
  EXPECT_FALSE(interieur.isEnabled());
  EXPECT_TRUE(progression.isEnabled());
  EXPECT_TRUE(progression.Controle<QPushButton>(2)->isEnabled());
  EXPECT_FALSE(desactivee.isEnabled());

  ActiverFenetre(&principale, true);
  EXPECT_TRUE(interieur.isEnabled());
  EXPECT_TRUE(progression.isEnabled());
  EXPECT_FALSE(desactivee.isEnabled());  // its own state is kept
}

}  // namespace
}  // namespace velquor
