#include "framework/placement.h"

#include <QDialog>
#include <QWidget>

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(Placement, CentrageDuCadreSurUnEcran640x480) {
  EXPECT_EQ(CalculerCentrage({0, 0, 536, 450}, {0, 0, 640, 480}), (RectEcran{52, 15, 588, 465}));
  // On a reference that does not start at the origin (an owner window).
  EXPECT_EQ(CalculerCentrage({0, 0, 100, 50}, {200, 100, 401, 301}),
            (RectEcran{250, 175, 350, 225}));
  // Larger than the screen: (640 - 701) / 2 is -30 toward zero (a floor would give -31).
  EXPECT_EQ(CalculerCentrage({0, 0, 701, 483}, {0, 0, 640, 480}), (RectEcran{-30, -1, 671, 482}));
}

TEST(Placement, GardeSurEcranTesteLesBordsTelsQuIlsEtaientAuDepart) {
  // The bottom 30 pixels below the screen: raised.
  EXPECT_EQ(CalculerGardeSurEcran({10, 410, 210, 510}, 640, 480), (RectEcran{10, 380, 210, 480}));
  // Taller than the screen: its top left negative.
  EXPECT_EQ(CalculerGardeSurEcran({0, 0, 300, 600}, 640, 480), (RectEcran{0, -120, 300, 480}));
  // Left and top negative: brought to 0, and the edges as first taken are inside the screen.
  EXPECT_EQ(CalculerGardeSurEcran({-20, -5, 80, 45}, 640, 480), (RectEcran{0, 0, 100, 50}));
  // Negative left and a right edge beyond the screen: the right edge wins.
  EXPECT_EQ(CalculerGardeSurEcran({-10, 0, 700, 50}, 640, 480), (RectEcran{-70, 0, 640, 50}));
  // Inside: unchanged.
  EXPECT_EQ(CalculerGardeSurEcran({5, 6, 105, 56}, 640, 480), (RectEcran{5, 6, 105, 56}));
}

TEST(Placement, CentreFenetreEtCentreSurParentDeplacentLesVraiesFenetres) {
  const RectEcran bureau = RectBureau();
  QWidget cadre;
  cadre.resize(536, 450);
  CentreFenetre(&cadre);
  EXPECT_EQ(cadre.x(), (bureau.Largeur() - 536) / 2 + bureau.gauche);
  EXPECT_EQ(cadre.y(), (bureau.Hauteur() - 450) / 2 + bureau.haut);

  QWidget proprietaire;
  proprietaire.setGeometry(100, 80, 400, 300);
  QWidget interieur(&proprietaire);  // a child window: the owner is its top-level window
  QDialog dialogue(&interieur);
  dialogue.resize(200, 100);
  CentreSurParent(&dialogue);
  const RectEcran ref = RectFenetre(&proprietaire);
  EXPECT_EQ(dialogue.x(), ref.gauche + (ref.Largeur() - 200) / 2);
  EXPECT_EQ(dialogue.y(), ref.haut + (ref.Hauteur() - 100) / 2);

  // Beyond the bottom right corner of the screen: moved back onto it.
  dialogue.move(bureau.droite - 50, bureau.bas - 20);
  GardeSurEcran(&dialogue);
  EXPECT_EQ(dialogue.x(), bureau.Largeur() - 200);
  EXPECT_EQ(dialogue.y(), bureau.Hauteur() - 100);
}

TEST(Placement, UneFenetrePlaceeAvantDEtreMontreeEstGardeeSurLEcranAvecSonCadre) {
  // Centred over an owner in the bottom right corner, in its set-up (no frame yet): once shown,
  // the frame ends at the screen's edges.
  const RectEcran bureau = RectBureau();
  QWidget proprietaire;
  proprietaire.setGeometry(bureau.droite - 50, bureau.bas - 20, 400, 300);
  proprietaire.show();
  QDialog coin(&proprietaire);
  coin.resize(200, 100);
  CentreSurParent(&coin);
  coin.show();
  ASSERT_GT(coin.frameGeometry().width(), 200) << "the platform draws no frame: nothing to check";
  EXPECT_EQ(coin.frameGeometry().right() + 1, bureau.droite);
  EXPECT_EQ(coin.frameGeometry().bottom() + 1, bureau.bas);
  // Placed once shown, it stays where the program puts it afterwards.
  coin.move(10, 10);
  coin.hide();
  coin.show();
  EXPECT_EQ(coin.pos(), QPoint(10, 10));
}

}  // namespace
}  // namespace velquor
