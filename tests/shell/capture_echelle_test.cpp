// SPDX-License-Identifier: GPL-3.0-or-later
// The picture that VELQUOR_CAPTURE saves, at a scale factor of 1 and of 2: at 2 it is the same
// window, exactly twice as large, neither shifted nor cropped.

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/dossier_temporaire.h"
#include "support/execution.h"

namespace velquor::test {
namespace {

QImage Capturer(int echelle) {
  const std::string chemin = "capture-" + std::to_string(echelle) + ".png";
  const Execution r =
      Executer(VELQUOR_PROGRAMME, {},
               {"QT_QPA_PLATFORM=offscreen", "QT_SCALE_FACTOR=" + std::to_string(echelle),
                "VELQUOR_CAPTURE=" + chemin, "ASAN_OPTIONS=detect_leaks=0"});
  EXPECT_EQ(r.code, 0) << r.erreurs;
  return QImage(QString::fromStdString(chemin)).convertToFormat(QImage::Format_RGB32);
}

// The mean difference of the channels between the picture at 1 and the one at 2 brought down
// to its size (each pixel the mean of its 2 x 2 block), the second moved by (dx, dy).
double Ecart(const QImage& simple, const QImage& double_, int dx, int dy) {
  double somme = 0;
  long n = 0;
  for (int y = 2; y < simple.height() - 2; ++y) {
    for (int x = 2; x < simple.width() - 2; ++x) {
      const int X = 2 * (x + dx), Y = 2 * (y + dy);
      for (int canal = 0; canal < 3; ++canal) {
        auto valeur = [&](int i, int j) {
          const QRgb p = double_.pixel(i, j);
          return canal == 0 ? qRed(p) : canal == 1 ? qGreen(p) : qBlue(p);
        };
        const QRgb s = simple.pixel(x, y);
        const int a = canal == 0 ? qRed(s) : canal == 1 ? qGreen(s) : qBlue(s);
        const double b =
            (valeur(X, Y) + valeur(X + 1, Y) + valeur(X, Y + 1) + valeur(X + 1, Y + 1)) / 4.0;
        somme += std::abs(a - b);
        ++n;
      }
    }
  }
  return somme / static_cast<double>(n);
}

class CaptureEchelle : public TestDansDossier {};

TEST_F(CaptureEchelle, ADeuxLaCaptureEstLaMemeFenetreDeuxFoisPlusGrande) {
  const QImage simple = Capturer(1);
  const QImage double_ = Capturer(2);
  ASSERT_FALSE(simple.isNull());
  ASSERT_FALSE(double_.isNull());
  ASSERT_EQ(double_.size(), simple.size() * 2);
  // The same picture: text and glyphs are drawn anew at 2, so not equal, but far nearer to the
  // picture at 1 than the same picture moved by two pixels.
  const double ecart = Ecart(simple, double_, 0, 0);
  EXPECT_LT(ecart, 6.0);
  EXPECT_LT(2 * ecart, Ecart(simple, double_, 2, 0));
  EXPECT_LT(2 * ecart, Ecart(simple, double_, 0, 2));
}

}  // namespace
}  // namespace velquor::test
