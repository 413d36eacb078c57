#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/texte_qt.h"
#include "support_ui/clavier.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

TEST(TexteQt, AllerRetourDeChaqueOctetCapitalesEtSautsDeLigne) {
  std::string tous;
  for (int i = 1; i < 256; ++i)
    tous.push_back(static_cast<char>(i));
  const QString texte = Cp1252VersQString(tous);
  EXPECT_EQ(texte.size(), 255);
  EXPECT_EQ(texte.at(0x80 - 1), QChar(0x20AC));  // €
  EXPECT_EQ(texte.at(0x9C - 1), QChar(0x0153));  // œ
  EXPECT_EQ(QStringVersCp1252(texte), tous);
  EXPECT_EQ(QStringVersCp1252(QStringLiteral("Ωmega")), std::nullopt);
  EXPECT_EQ(QStringVersCp1252(QString::fromUtf8("\xF0\x9F\x8D\xB8")), std::nullopt);  // 🍸

  EXPECT_EQ(MajusculesQString(QStringLiteral("gin été ÿ œuf ß æ š ž ÷ Ω")),
            QStringLiteral("GIN ÉTÉ Ÿ ŒUF ß Æ Š Ž ÷ Ω"));
  // Line breaks are stored as CR LF.
  EXPECT_EQ(Cp1252VersTexteMulti("UN\r\nDEUX"), QStringLiteral("UN\nDEUX"));
  EXPECT_EQ(TexteMultiVersCp1252(QStringLiteral("UN\nDEUX")), std::string("UN\r\nDEUX"));
  EXPECT_EQ(LongueurStockeeMulti(QStringLiteral("UN\nDEUX")), 8);
}

class Saisie : public ::testing::Test {
 protected:
  Saisie() {
    nom_.DefinirRegles({true, 30});
    nom_.show();
  }
  test::RepondeurScripte repondeur_;
  PEdition nom_;
};

TEST_F(Saisie, LesLettresTapeesDeviennentDesCapitalesEtCeQueLeCodePageNaPasEstRefuse) {
  test::Taper(&nom_, QStringLiteral("gin été ÿ œ ß"));
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN ÉTÉ Ÿ Œ ß"));
  EXPECT_EQ(nom_.TexteCp1252(), "GIN \xC9T\xC9 \x9F \x8C \xDF");
  EXPECT_EQ(repondeur_.bips, 0);
  test::Taper(&nom_, QStringLiteral("Ω€"));
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN ÉTÉ Ÿ Œ ß€"));
  EXPECT_EQ(repondeur_.bips, 1);
}

TEST_F(Saisie, LaLimiteCompteLesOctetsEtRefuseAvecUnBip) {
  test::Taper(&nom_, QString(29, QChar('A')) + QStringLiteral("é"));
  EXPECT_EQ(nom_.text().size(), 30);
  test::Taper(&nom_, QStringLiteral("B"));
  EXPECT_EQ(nom_.text(), QString(29, QChar('A')) + QStringLiteral("É"));
  EXPECT_EQ(repondeur_.bips, 1);
  // Replacing a selection stays within the limit.
  nom_.setSelection(0, 1);
  test::Taper(&nom_, QStringLiteral("z"));
  EXPECT_EQ(nom_.text().front(), QChar('Z'));
  EXPECT_EQ(repondeur_.bips, 1);
}

TEST_F(Saisie, LeCollageSuitLesMemesRegles) {
  nom_.setText(QStringLiteral("GIN"));
  nom_.setCursorPosition(3);
  QApplication::clipboard()->setText(QStringLiteral(" tonic"));
  nom_.paste();
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN TONIC"));
  // Nothing of a paste that holds a character the code page cannot hold, nor of one that
  // goes over the limit: refused whole, with a beep.
  QApplication::clipboard()->setText(QStringLiteral(" ω"));
  nom_.paste();
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN TONIC"));
  QApplication::clipboard()->setText(QString(22, QChar('x')));
  nom_.paste();
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN TONIC"));
  EXPECT_EQ(repondeur_.bips, 2);
  QApplication::clipboard()->setText(QString(21, QChar('x')));
  QTest::keyClick(&nom_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(nom_.text().size(), 30);
}

TEST_F(Saisie, ChangementSuitAussiLeProgrammeEnUneLigne) {
  int changements = 0;
  QObject::connect(&nom_, &PEdition::changement, [&] { ++changements; });
  nom_.DefinirTexteCp1252("GIN");
  test::Taper(&nom_, QStringLiteral("s"));
  EXPECT_EQ(changements, 2);
}

TEST(SaisieMulti, LimiteAvecLesSautsDeLigneEtChangementDeLUtilisateurSeulement) {
  test::RepondeurScripte repondeur;
  PEditionMulti remarques;
  remarques.DefinirRegles({false, 6});
  remarques.show();
  int changements = 0;
  QObject::connect(&remarques, &PEditionMulti::changement, [&] { ++changements; });
  remarques.DefinirTexteCp1252("ab\r\nc");
  EXPECT_EQ(remarques.toPlainText(), QStringLiteral("ab\nc"));
  EXPECT_EQ(changements, 0);  // the program's text notifies nothing

  remarques.moveCursor(QTextCursor::End);
  test::Taper(&remarques, QStringLiteral("d"));
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\ncd");
  EXPECT_EQ(changements, 1);
  test::Taper(&remarques, QStringLiteral("e"));  // 7 bytes: refused
  QTest::keyClick(&remarques, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\ncd");
  EXPECT_EQ(repondeur.bips, 2);

  // Pasting goes through the same check; Ω is refused whole.
  QTest::keyClick(&remarques, Qt::Key_Backspace);
  QApplication::clipboard()->setText(QStringLiteral("Ω"));
  remarques.paste();
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\nc");
  EXPECT_EQ(repondeur.bips, 3);
  QApplication::clipboard()->setText(QStringLiteral("z"));
  remarques.paste();
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\ncz");
  // What a paste replaces leaves room for it.
  remarques.selectAll();
  QApplication::clipboard()->setText(QStringLiteral("xyz"));
  remarques.paste();
  EXPECT_EQ(remarques.TexteCp1252(), "xyz");
}

TEST(SaisieCombo, LeChampDuComboSuitLesReglesEtNotifieLaSaisie) {
  test::RepondeurScripte repondeur;
  PCombo combo;
  combo.DefinirSaisie({true, 5});
  combo.show();
  int saisies = 0;
  QObject::connect(&combo, &PCombo::texteSaisi, [&] { ++saisies; });
  test::Taper(&combo, QStringLiteral("crèmes"));
  EXPECT_EQ(combo.currentText(), QStringLiteral("CRÈME"));
  EXPECT_EQ(combo.TexteCp1252(), "CR\xC8ME");
  EXPECT_EQ(saisies, 5);
  EXPECT_EQ(repondeur.bips, 1);
  combo.DefinirTexteCp1252("GIN");
  EXPECT_EQ(saisies, 5);  // the program's text is not a typed change
}

}  // namespace
}  // namespace velquor
