// Type-ahead completion of the combo boxes with an edit field, driven by the keyboard.

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "search/cb_assist.h"
#include "support_ui/clavier.h"

namespace velquor {
namespace {

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
  for (const char* nom : {"GRENADINE", "GIN", "CITRON", "SUCRE"})
    combo.AjouterChaine(nom);
  combo.show();
  QLineEdit* edition = combo.lineEdit();
  test::Taper(edition, QStringLiteral("g"));  // capitals by the field's rule
  EXPECT_EQ(Champ(edition), "G[RENADINE]");
  EXPECT_EQ(combo.TexteAvant(), "G");
  // The next letter replaces the completed part and is compared with what was typed.
  test::Taper(edition, QStringLiteral("I"));
  EXPECT_EQ(Champ(edition), "GI[N]");
  // Deleting never completes; typing again after it does.
  QTest::keyClick(edition, Qt::Key_Backspace);  // removes the completed part
  EXPECT_EQ(Champ(edition), "GI");
  QTest::keyClick(edition, Qt::Key_Backspace);
  EXPECT_EQ(Champ(edition), "G");
  test::Taper(edition, QStringLiteral("R"));
  EXPECT_EQ(Champ(edition), "GR[ENADINE]");
  EXPECT_EQ(resultats, (std::vector<bool>{true, true, false, false, true}));
}

// The text is read as into a buffer of the text limit: its last byte is the terminator.
TEST(CbAssist, LeTexteEstLuDansLaLimite) {
  CbAssist combo(nullptr, 4);
  combo.DefinirSaisie({});
  combo.DefinirTexteCp1252("GINA");
  combo.Completer();
  EXPECT_EQ(combo.TexteAvant(), "GIN");
}

}  // namespace
}  // namespace velquor
