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

TEST(Ressources, LesGlyphesSontDes26Sur26En16CouleursSurFondGrisClairEtTousDifferents) {
  std::vector<QImage> glyphes;
  for (int id : {1, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110}) {
    SCOPED_TRACE(id);
    const QImage glyphe = ChargerBitmap(id);
    ASSERT_FALSE(glyphe.isNull());
    EXPECT_EQ(glyphe.size(), QSize(26, 26));
    EXPECT_LE(glyphe.colorCount(), 16);
    // The background is the light grey that becomes the button face.
    EXPECT_EQ(glyphe.pixel(0, 0) | 0xFF000000, kGrisClair);
    // A picture, not a blank: several colours drawn; each button its own.
    EXPECT_GE(IndicesUtilises(glyphe).size(), 3u);
    if (id == 1) continue;
    for (const QImage& autre : glyphes)
      EXPECT_NE(glyphe, autre);
    glyphes.push_back(glyphe);
  }
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
  EXPECT_TRUE(ChargerBitmap(4242).isNull());
  EXPECT_TRUE(ChargerIcone(4242).isNull());
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
