// The progress dialog and its reporter: the percentage, the stop request, and the window
// disabled for the duration of a pass, never longer.

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "search/defile_dlg.h"
#include "search/rapporteur_defile.h"

namespace velquor {
namespace {

TEST(DefileDlg, PourcentageTronqueEtBorne) {
  // {total, ordinal, percentage}; not 28 from 0.29 * 100. A total of 0 (an empty header over
  // records) and ordinals past the total stay at 100.
  const int cas[][3] = {{3, 1, 33},  {3, 2, 66},  {3, 3, 100},  {100, 29, 29}, {1000, 1, 0},
                        {0, 1, 100}, {0, 0, 100}, {-4, 2, 100}, {3, 7, 100},   {3, -1, 0}};
  for (const auto& [total, ordinal, pourcentage] : cas)
    EXPECT_EQ(DefileDlg::Pourcentage(total, ordinal), pourcentage) << total << " " << ordinal;
}

TEST(DefileDlg, ArreterEtEchapDemandentLArretSansFermer) {
  for (bool parEchap : {false, true}) {
    DefileDlg dialogue(nullptr);
    dialogue.Montrer();
    EXPECT_FALSE(dialogue.MettreAJour("A", 10, 1));
    if (parEchap)
      QTest::keyClick(&dialogue, Qt::Key_Escape);
    else
      QTest::mouseClick(dialogue.Controle<QPushButton>(2), Qt::LeftButton);
    EXPECT_TRUE(dialogue.isVisible());
    EXPECT_TRUE(dialogue.MettreAJour("B", 10, 2));
    EXPECT_TRUE(dialogue.MettreAJour("C", 10, 3));  // never reset
  }
}

// Disabling the window while a pass runs and giving it back after: see the search dialog's
// tests.
TEST(RapporteurDefile, SansFinLaFenetreEstRendueQuandIlDisparait) {
  QWidget principale;
  QWidget* vue = new QWidget(&principale);
  principale.show();
  {
    RapporteurDefile progression(vue, &principale);
    progression.Debut();
    ASSERT_NE(progression.Dialogue(), nullptr);
    EXPECT_FALSE(principale.isEnabled());
    // Left without Fin: the reporter gives the window back when it goes.
  }
  EXPECT_TRUE(principale.isEnabled());
  EXPECT_TRUE(vue->findChildren<DefileDlg*>().isEmpty());
}

}  // namespace
}  // namespace velquor
