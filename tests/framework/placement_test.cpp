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
}

TEST(Placement, CentrageArrondiVersZeroQuandLaFenetreDepasse) {
  // (640 - 701) / 2 is -30 toward zero (a floor would give -31).
  RectEcran r = CalculerCentrage({0, 0, 701, 483}, {0, 0, 640, 480});
  EXPECT_EQ(r.gauche, -30);
  EXPECT_EQ(r.haut, -1);
  EXPECT_EQ(r.Largeur(), 701);
  EXPECT_EQ(r.Hauteur(), 483);
}

TEST(Placement, GardeSurEcranRemonteUneFenetreQuiDepasseEnBas) {
  // 100 pixels high, its bottom 30 pixels below a 480-pixel screen.
  RectEcran r = CalculerGardeSurEcran({10, 410, 210, 510}, 640, 480);
  EXPECT_EQ(r, (RectEcran{10, 380, 210, 480}));
}

TEST(Placement, GardeSurEcranLaisseUnHautNegatifAUneFenetrePlusHauteQueLEcran) {
  RectEcran r = CalculerGardeSurEcran({0, 0, 300, 600}, 640, 480);
  EXPECT_EQ(r.haut, -120);
  EXPECT_EQ(r.bas, 480);
}

TEST(Placement, GardeSurEcranTesteLesBordsTelsQuIlsEtaientAuDepart) {
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

TEST(Placement, UneFenetrePlaceeAvantDEtreMontreeLEstAvecSonCadre) {
  const RectEcran bureau = RectBureau();
  QWidget proprietaire;
  proprietaire.setGeometry(100, 80, 400, 300);
  proprietaire.show();
  const RectEcran ref = RectFenetre(&proprietaire);
  QDialog dialogue(&proprietaire);
  dialogue.resize(200, 100);
  CentreSurParent(&dialogue);  // in its set-up: no frame yet
  dialogue.show();
  const QRect cadre = dialogue.frameGeometry();
  ASSERT_GT(cadre.width(), 200) << "the platform draws no frame: nothing to check";
  EXPECT_EQ(cadre.x(), ref.gauche + (ref.Largeur() - cadre.width()) / 2);
  EXPECT_EQ(cadre.y(), ref.haut + (ref.Hauteur() - cadre.height()) / 2);
  dialogue.hide();

  // Over an owner in the bottom right corner: the frame ends at the screen's edges.
  proprietaire.move(bureau.droite - 50, bureau.bas - 20);
  QDialog coin(&proprietaire);
  coin.resize(200, 100);
  CentreSurParent(&coin);
  coin.show();
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
