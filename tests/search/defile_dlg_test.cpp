// The progress dialog and its reporter: percentage and gauge, the stop request, the caption and
// the hidden button, and the window disabled for the duration.

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "search/defile_dlg.h"
#include "search/rapporteur_defile.h"

namespace velquor {
namespace {

QString TexteLabel(const DefileDlg& d, int id) {
  return d.Controle<QLabel>(id)->text();
}

TEST(DefileDlg, PourcentageTronqueEtBorne) {
  // {total, ordinal, percentage}; not 28 from 0.29 * 100. A total of 0 (an empty header over
  // records) and ordinals past the total stay at 100.
  const int cas[][3] = {{3, 1, 33},  {3, 2, 66},  {3, 3, 100},  {100, 29, 29}, {1000, 1, 0},
                        {0, 1, 100}, {0, 0, 100}, {-4, 2, 100}, {3, 7, 100},   {3, -1, 0}};
  for (const auto& [total, ordinal, pourcentage] : cas)
    EXPECT_EQ(DefileDlg::Pourcentage(total, ordinal), pourcentage) << total << " " << ordinal;
}

// The percentage label and the gauge, which always agree.
std::string Avancement(const DefileDlg& d) {
  return TexteLabel(d, 101).toStdString() + " " +
         std::to_string(d.Controle<QProgressBar>(DefileDlg::IdJauge)->value());
}

TEST(DefileDlg, MettreAJourMontreNomPourcentageEtJauge) {
  QWidget proprietaire;
  DefileDlg dialogue(&proprietaire);
  dialogue.Montrer();
  EXPECT_EQ(TexteLabel(dialogue, 101), QStringLiteral("100 %"));
  EXPECT_FALSE(dialogue.MettreAJour("PI\xD1\x41 COLADA", 3, 1));  // stored bytes: PIÑA
  EXPECT_EQ(TexteLabel(dialogue, 102), QStringLiteral("PIÑA COLADA"));
  EXPECT_EQ(Avancement(dialogue), "33 % 33");
  dialogue.MettreAJour("ZOMBIE", 3, 3);
  EXPECT_EQ(Avancement(dialogue), "100 % 100");
  dialogue.MettreAJour("ZOMBIE", 0, 5);
  EXPECT_EQ(Avancement(dialogue), "100 % 100");
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

// Counts the paintings of a widget.
class CompteurPeintures : public QObject {
 public:
  explicit CompteurPeintures(QWidget* w) { w->installEventFilter(this); }
  int peintures = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++peintures;
    return false;
  }
};

TEST(DefileDlg, RedessineAuPlusToutesLes16MsEtMontreToujoursLaDerniereEtape) {
  QWidget proprietaire;
  DefileDlg dialogue(&proprietaire);
  dialogue.Montrer();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialogue));
  CompteurPeintures peintures(dialogue.Controle<QLabel>(101));
  QCoreApplication::processEvents();
  peintures.peintures = 0;

  // A pass of 3,000 records, the waiting events dispatched after each, as the passes do.
  constexpr int kTotal = 3000;
  QElapsedTimer duree;
  duree.start();
  for (int i = 1; i < kTotal; ++i) {
    dialogue.MettreAJour("COCKTAIL " + std::to_string(i), kTotal, i);
    QCoreApplication::processEvents();
  }
  const qint64 ms = duree.elapsed();
  EXPECT_LE(peintures.peintures, ms / DefileDlg::kPeriodeAffichageMs + 2) << ms << " ms";
  // The last step is on screen once the period is over, with nothing else happening.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return TexteLabel(dialogue, 102) == QStringLiteral("COCKTAIL 2999"); }, 1000));
  EXPECT_EQ(Avancement(dialogue), "99 % 99");

  // The last record is shown at once, even right after another step.
  dialogue.MettreAJour("AVANT-DERNIER", 4, 3);
  dialogue.MettreAJour("DERNIER", 4, 4);
  EXPECT_EQ(TexteLabel(dialogue, 102), QStringLiteral("DERNIER"));
  EXPECT_EQ(Avancement(dialogue), "100 % 100");
}

TEST(RapporteurDefile, DesactiveLaFenetreLeTempsDeLaPasse) {
  QWidget fenetre;
  fenetre.show();
  RapporteurDefile progression(&fenetre);
  EXPECT_EQ(progression.Dialogue(), nullptr);
  progression.Debut();
  QPointer<DefileDlg> dialogue = progression.Dialogue();
  ASSERT_NE(dialogue, nullptr);
  EXPECT_TRUE(dialogue->isVisible());
  EXPECT_EQ(dialogue->windowTitle(), QStringLiteral("Recherche en cours..."));
  EXPECT_FALSE(fenetre.isEnabled());
  EXPECT_TRUE(dialogue->isEnabled());  // its button still answers
  EXPECT_FALSE(progression.MettreAJour("MOJITO", 4, 1));
  QTest::mouseClick(dialogue->Controle<QPushButton>(2), Qt::LeftButton);
  EXPECT_TRUE(progression.MettreAJour("NEGRONI", 4, 2));

  progression.Fin();
  EXPECT_TRUE(fenetre.isEnabled());
  EXPECT_EQ(dialogue, nullptr);  // destroyed
  EXPECT_EQ(progression.Dialogue(), nullptr);
  progression.Fin();  // a second end changes nothing
  EXPECT_TRUE(fenetre.isEnabled());
}

TEST(RapporteurDefile, LegendeBoutonCacheEtAutreFenetreDesactivee) {
  QWidget principale;
  QWidget* vue = new QWidget(&principale);
  principale.show();
  {
    RapporteurDefile progression(vue, &principale);
    progression.DefinirLegende(QStringLiteral("Contrôle de cohérence dans la base des recettes"));
    progression.CacherArret();
    progression.Debut();
    DefileDlg* dialogue = progression.Dialogue();
    ASSERT_NE(dialogue, nullptr);
    EXPECT_EQ(dialogue->parentWidget(), vue);
    // The caption and the hidden button are seen through the editors' passes.
    EXPECT_FALSE(principale.isEnabled());
    // Left without Fin: the reporter gives the window back when it goes.
  }
  EXPECT_TRUE(principale.isEnabled());
  EXPECT_TRUE(vue->findChildren<DefileDlg*>().isEmpty());
}

}  // namespace
}  // namespace velquor
