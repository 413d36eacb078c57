// The pictures of the program: sizes, 16-colour tables that hold the colours the program maps,
// and the icons.

#include <QIcon>
#include <QPixmap>

#include <QImage>
#include <set>

#include <gtest/gtest.h>

#include "shell/bitmaps.h"

namespace velquor {
namespace {

// Every colour the pixels use, as palette entries.
std::set<int> IndicesUtilises(const QImage& image) {
  std::set<int> indices;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      indices.insert(image.pixelIndex(x, y));
  return indices;
}

TEST(Ressources, LesGlyphesSontDes26Sur26En16CouleursSurFondGrisClair) {
  for (int id : {1, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110}) {
    const QImage glyphe = ChargerBitmap(id);
    ASSERT_FALSE(glyphe.isNull()) << id;
    EXPECT_EQ(glyphe.size(), QSize(26, 26)) << id;
    EXPECT_LE(glyphe.colorCount(), 16) << id;
    // The background is the light grey that becomes the button face.
    EXPECT_EQ(glyphe.pixel(0, 0) | 0xFF000000, kGrisClair) << id;
    // A picture, not a blank: several colours drawn.
    EXPECT_GE(IndicesUtilises(glyphe).size(), 3u) << id;
  }
}

TEST(Ressources, LesGlyphesSontTousDifferents) {
  std::vector<QImage> glyphes;
  for (int id : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110}) {
    const QImage g = ChargerBitmap(id);
    for (const QImage& autre : glyphes)
      EXPECT_NE(g, autre) << id;
    glyphes.push_back(g);
  }
}

TEST(Ressources, LeLogoEstUn255Sur145En16CouleursDontLesGrisEtLeBlancAttendus) {
  const QImage logo = ChargerBitmap(999);
  ASSERT_FALSE(logo.isNull());
  EXPECT_EQ(logo.size(), QSize(255, 145));
  ASSERT_EQ(logo.colorCount(), 16);
  EXPECT_EQ(logo.color(7) | 0xFF000000, kGrisClair);
  EXPECT_EQ(logo.color(8) | 0xFF000000, kGrisFonce);
  EXPECT_EQ(logo.color(15) | 0xFF000000, kBlanc);
  EXPECT_EQ(logo.pixel(0, 0) | 0xFF000000, kGrisClair);
  EXPECT_GE(IndicesUtilises(logo).size(), 8u);
}

TEST(Ressources, UnBitmapQuiNExistePasDonneUneImageNulle) {
  EXPECT_TRUE(ChargerBitmap(4242).isNull());
  EXPECT_TRUE(ChargerIcone(4242).isNull());
}

TEST(Ressources, LesIconesOntLeursDeuxTaillesEtUnFondTransparent) {
  for (int id : {1001, 1002}) {
    const QIcon icone = ChargerIcone(id);
    ASSERT_FALSE(icone.isNull()) << id;
    const QList<QSize> tailles = icone.availableSizes();
    EXPECT_TRUE(tailles.contains(QSize(16, 16))) << id;
    EXPECT_TRUE(tailles.contains(QSize(32, 32))) << id;
    const QImage grande = icone.pixmap(32, 32).toImage();
    EXPECT_EQ(qAlpha(grande.pixel(0, 31)), 0) << id;
  }
}

TEST(Ressources, RemplacerPremiereCouleurNeToucheQueLaPremiere) {
  QImage image(2, 1, QImage::Format_Indexed8);
  image.setColorTable({kGrisClair, kGrisClair, kNoir});
  EXPECT_TRUE(RemplacerPremiereCouleur(image, kGrisClair, qRgb(1, 2, 3)));
  EXPECT_EQ(image.color(0), qRgb(1, 2, 3));
  EXPECT_EQ(image.color(1), kGrisClair);
  EXPECT_FALSE(RemplacerPremiereCouleur(image, kBlanc, qRgb(1, 2, 3)));
  DefinirCouleurIndex(image, 15, qRgb(9, 9, 9));  // beyond the table: nothing
  EXPECT_EQ(image.colorCount(), 3);
}

}  // namespace
}  // namespace velquor
