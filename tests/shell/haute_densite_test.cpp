// On a high-density screen (here QT_SCALE_FACTOR=2) the toolbar glyphs and the logo are drawn
// from the pictures made twice as large, not enlarged from the ones at 1: the buttons and the
// logo take the same room, with twice the pixels.

#include <QApplication>
#include <QPixmap>
#include <QResizeEvent>

#include <gtest/gtest.h>

#include "shell/bitmaps.h"
#include "shell/btn_aff_bmp.h"
#include "shell/my_gadget_btn.h"

namespace velquor::test {
namespace {

// Before main() makes the application: every screen of this process has a device pixel ratio of 2.
const bool kEchelle = qputenv("QT_SCALE_FACTOR", "2");

// How many of the picture's 2 x 2 blocks (on even coordinates) in the rectangle hold more than one
// colour: none when a picture at 1 was enlarged pixel by pixel.
int BlocsNonUnis(const QImage& image, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y + 1 <= r.bottom(); y += 2)
    for (int x = r.left(); x + 1 <= r.right(); x += 2) {
      const QRgb p = image.pixel(x, y);
      n += image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p ||
           image.pixel(x + 1, y + 1) != p;
    }
  return n;
}

TEST(HauteDensite, LesGlyphesSontDessinesADeuxSansChangerLaTailleDesBoutons) {
  ASSERT_TRUE(kEchelle);
  ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
  MyGadgetBtn bouton(108, 108);
  EXPECT_EQ(bouton.sizeHint(), QSize(30, 30));
  const QImage glyphe = bouton.Glyphe();
  EXPECT_EQ(glyphe.size(), QSize(52, 52));
  EXPECT_EQ(glyphe.devicePixelRatio(), 2.0);
  bouton.resize(30, 30);
  QResizeEvent e(QSize(30, 30), QSize());
  QApplication::sendEvent(&bouton, &e);
  EXPECT_EQ(bouton.OrigineGlyphe(), QPoint(2, 2));
  // On screen: 60 x 60 pixels, the glyph's own pixels at their place.
  const QImage image = bouton.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(60, 60));
  EXPECT_GT(BlocsNonUnis(image, QRect(4, 4, 52, 52)), 20);
  EXPECT_EQ(image.pixel(4 + 23, 4 + 23), glyphe.pixel(23, 23) | 0xFF000000);
  // Disabled, the embossed glyph as well.
  bouton.setEnabled(false);
  const QImage grise = bouton.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_GT(BlocsNonUnis(grise, QRect(4, 4, 52, 52)), 20);
}

TEST(HauteDensite, LeLogoEstDessineADeux) {
  BtnAffBmp logo(999, nullptr, true);
  EXPECT_EQ(logo.sizeHint(), QSize(255, 145));
  const QImage affichee = logo.ImageAffichee();
  EXPECT_EQ(affichee.size(), QSize(510, 290));
  EXPECT_EQ(affichee.colorCount(), 16);  // still mapped on its colour table
  logo.resize(258, 146);
  const QImage image = logo.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(516, 292));
  EXPECT_GT(BlocsNonUnis(image, QRect(2, 2, 510, 290)), 500);
  // At 1 the picture of 1; an unknown picture is none at any ratio.
  EXPECT_EQ(ChargerBitmap(999, 1.0).size(), QSize(255, 145));
  EXPECT_TRUE(ChargerBitmap(4242, 2.0).isNull());
}

}  // namespace
}  // namespace velquor::test
