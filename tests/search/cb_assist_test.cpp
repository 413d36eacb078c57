// Type-ahead completion of the combo boxes with an edit field, driven by the keyboard.

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/dialogue.h"
#include "search/cb_assist.h"
#include "support_ui/clavier.h"

namespace velquor {
namespace {

constexpr ModeleControle kControles[] = {
    {Genre::ComboSaisie, 101, "", {5, 5, 120, 80}, st::Trie | st::Majuscules, 30},
    {Genre::ComboSaisie, 102, "", {5, 25, 120, 80}, 0, 30},
};
constexpr ModeleDialogue kModele{9601, "Essai", {0, 0, 140, 60}, sd::Titre, kControles};

// A dialog whose two combo boxes complete on every edit change, as their owners wire them.
class TComboDlg : public PDialogue {
 public:
  TComboDlg() : PDialogue(kModele) {
    for (int id : {101, 102})
      Lier(id, [](QWidget* p) { return new CbAssist(p, 31); });
  }
  CbAssist* Combo(int id) const { return Controle<CbAssist>(id); }

 protected:
  void SetupWindow() override {
    for (int id : {101, 102}) {
      CbAssist* combo = Combo(id);
      connect(combo, &PCombo::texteSaisi, this,
              [this, combo] { resultats.push_back(combo->Completer()); });
    }
  }

 public:
  std::vector<bool> resultats;
};

class CbAssistTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogue_.show();
    combo_ = dialogue_.Combo(101);
    ASSERT_NE(combo_, nullptr);
    for (const char* nom : {"GRENADINE", "GIN", "CITRON", "CITRON VERT", "SUCRE"})
      combo_->AjouterChaine(nom);
    edition_ = combo_->lineEdit();
  }

  // The field's text, its selected part in brackets.
  static std::string Champ(const QLineEdit* e) {
    QString texte = e->text();
    if (e->hasSelectedText()) {
      texte.insert(e->selectionEnd(), QLatin1Char(']'));
      texte.insert(e->selectionStart(), QLatin1Char('['));
    }
    return texte.toStdString();
  }

  TComboDlg dialogue_;
  CbAssist* combo_ = nullptr;
  QLineEdit* edition_ = nullptr;
};

TEST_F(CbAssistTest, CompleteAvecLaPremiereEntreeEtSelectionneLaFin) {
  test::Taper(edition_, QStringLiteral("g"));  // capitals by the field's rule
  EXPECT_EQ(Champ(edition_), "G[IN]");
  EXPECT_EQ(combo_->TexteAvant(), "G");
  // The next letter replaces the completed part and is compared with what was typed.
  test::Taper(edition_, QStringLiteral("R"));
  EXPECT_EQ(Champ(edition_), "GR[ENADINE]");
  EXPECT_EQ(dialogue_.resultats, (std::vector<bool>{true, true}));
  // Typing on to the whole name leaves nothing selected.
  test::Taper(edition_, QStringLiteral("ENADINE"));
  EXPECT_EQ(Champ(edition_), "GRENADINE");
}

TEST_F(CbAssistTest, LEffacementNeCompleteJamais) {
  test::Taper(edition_, QStringLiteral("CI"));
  EXPECT_EQ(Champ(edition_), "CI[TRON]");
  QTest::keyClick(edition_, Qt::Key_Backspace);  // removes the completed part
  EXPECT_EQ(Champ(edition_), "CI");
  QTest::keyClick(edition_, Qt::Key_Backspace);
  EXPECT_EQ(Champ(edition_), "C");
  edition_->setCursorPosition(0);
  QTest::keyClick(edition_, Qt::Key_Delete);
  EXPECT_EQ(Champ(edition_), "");
  EXPECT_EQ(dialogue_.resultats, (std::vector<bool>{true, true, false, false, false}));
  // Typing again after the deletions completes again.
  test::Taper(edition_, QStringLiteral("S"));
  EXPECT_EQ(Champ(edition_), "S[UCRE]");
}

TEST_F(CbAssistTest, PrefixeAbsentLaisseLeTexteTape) {
  test::Taper(edition_, QStringLiteral("CITRX"));
  EXPECT_EQ(Champ(edition_), "CITRX");
  EXPECT_EQ(dialogue_.resultats.back(), false);
  // The entry already selected in the list does not hold back a new completion.
  combo_->SelectionnerIndex(combo_->ChercherExact("GIN"));
  edition_->selectAll();
  QTest::keyClick(edition_, Qt::Key_Backspace);
  EXPECT_EQ(combo_->TexteAvant(), "");
  test::Taper(edition_, QStringLiteral("G"));
  EXPECT_EQ(Champ(edition_), "G[IN]");
}

// The text is read as into a buffer of the text limit: its last byte is the terminator.
TEST_F(CbAssistTest, LeTexteEstLuDansLaLimite) {
  CbAssist combo(nullptr, 4);
  combo.DefinirSaisie({});
  combo.DefinirTexteCp1252("GINA");
  combo.Completer();
  EXPECT_EQ(combo.TexteAvant(), "GIN");
}

TEST_F(CbAssistTest, LeTexteCompletePrendLaCasseDeLEntree) {
  CbAssist* combo = dialogue_.Combo(102);  // no capitals rule
  combo->AjouterChaine("Grenadine");
  combo->AjouterChaine("Citron");
  test::Taper(combo->lineEdit(), QStringLiteral("gR"));
  EXPECT_EQ(Champ(combo->lineEdit()), "Gr[enadine]");
  EXPECT_EQ(combo->TexteAvant(), "GR");  // the G shown was the entry's
}

}  // namespace
}  // namespace velquor
