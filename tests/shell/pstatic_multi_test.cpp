// The read-only multi-line field: typing beeps and changes nothing, navigation keys move and
// scroll, nothing else gets in.

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/dialogue.h"
#include "shell/pstatic_multi.h"
#include "support_ui/clavier.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor::test {
namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Edition, 503, "", {130, 151, 216, 64}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Bouton, 1, "ok", {292, 228, 50, 14}},
};
constexpr ModeleDialogue kModele{9303, "Résultat", {0, 0, 350, 250}, sd::Titre, kControles};

class StaticMulti : public ::testing::Test {
 protected:
  StaticMulti() : dialogue_(kModele) {
    dialogue_.Lier(503, [](QWidget* p) { return new PStaticMulti(p); });
    dialogue_.Commande(1, [this] { ++oks_; });
    dialogue_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialogue_));
    champ_ = dialogue_.Controle<PStaticMulti>(503);
    std::string texte;
    for (int i = 1; i <= 40; ++i)
      texte += "Ligne " + std::to_string(i) + "\r\n";
    texte += "Cr\xE8me de cassis";
    champ_->DefinirTexteCp1252(texte);
    champ_->setFocus();
    texte_ = champ_->TexteCp1252();
  }
  RepondeurScripte repondeur_;
  PDialogue dialogue_;
  PStaticMulti* champ_ = nullptr;
  std::string texte_;
  int oks_ = 0;
};

TEST_F(StaticMulti, LaSaisieBipeEtNeChangeRienEtEntreeVaAuDialogue) {
  ASSERT_NE(champ_, nullptr);
  Taper(champ_, QStringLiteral("ab é"));
  EXPECT_EQ(repondeur_.bips, 4);
  QTest::keyClick(champ_, Qt::Key_Backspace);
  QTest::keyClick(champ_, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(champ_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(repondeur_.bips, 7);
  QTest::keyClick(champ_, Qt::Key_F5);
  EXPECT_EQ(repondeur_.bips, 7);  // no character: dropped without a sound
  QTest::keyClick(champ_, Qt::Key_Return);
  EXPECT_EQ(oks_, 1);  // Enter goes to the dialog
  EXPECT_EQ(champ_->TexteCp1252(), texte_);
}

TEST_F(StaticMulti, LesTouchesDeDeplacementDeplacentEtFontDefiler) {
  QTextCursor curseur = champ_->textCursor();
  curseur.movePosition(QTextCursor::Start);
  champ_->setTextCursor(curseur);
  QTest::keyClick(champ_, Qt::Key_Down);
  QTest::keyClick(champ_, Qt::Key_Right);
  EXPECT_EQ(champ_->textCursor().blockNumber(), 1);
  EXPECT_EQ(champ_->textCursor().positionInBlock(), 1);
  QTest::keyClick(champ_, Qt::Key_End);
  EXPECT_EQ(champ_->textCursor().positionInBlock(), 7);  // the end of "Ligne 2"
  QTest::keyClick(champ_, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(champ_->textCursor().selectedText(), QStringLiteral("Ligne 2"));
  QTest::keyClick(champ_, Qt::Key_PageDown);
  QTest::keyClick(champ_, Qt::Key_PageDown);
  EXPECT_GT(champ_->verticalScrollBar()->value(), 0);
  QTest::keyClick(champ_, Qt::Key_Up);
  QTest::keyClick(champ_, Qt::Key_PageUp);
  QTest::keyClick(champ_, Qt::Key_Left);
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_EQ(champ_->TexteCp1252(), texte_);
}

TEST_F(StaticMulti, LesCommandesDuPressePapiersNeCopientQue) {
  QApplication::clipboard()->setText(QStringLiteral("COLLE"));
  champ_->selectAll();
  for (int commande : {CmCouper, CmColler, CmEffacer, CmAnnulerSaisie}) {
    ASSERT_TRUE(champ_->TraiteCommande(commande));
    champ_->ExecuteCommande(commande);
  }
  EXPECT_EQ(champ_->TexteCp1252(), texte_);
  champ_->ExecuteCommande(CmCopier);
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Ligne 1")));
  EXPECT_FALSE(champ_->acceptDrops());
  // The program changes the text without a notification.
  int changements = 0;
  QObject::connect(champ_, &PEditionMulti::changement, [&] { ++changements; });
  champ_->DefinirTexteCp1252("SUCRE DE CANNE");
  EXPECT_EQ(champ_->TexteCp1252(), "SUCRE DE CANNE");
  EXPECT_EQ(changements, 0);
}

}  // namespace
}  // namespace velquor::test
