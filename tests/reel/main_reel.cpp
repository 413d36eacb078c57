// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the real-input tests: a QApplication on the X server that scripts/test.sh starts
// (VELQUOR_AFFICHAGE_REEL, with a window manager). Without one, and when the tests are only
// listed, the platform is offscreen and the tests skip themselves.

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

#include "reel/pilote.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const QByteArray affichage = qgetenv("VELQUOR_AFFICHAGE_REEL");
  if (affichage.isEmpty() || ::testing::GTEST_FLAG(list_tests)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  } else {
    qputenv("DISPLAY", affichage);
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (!velquor::test::DonnerDesTouchesAuxCaracteres()) {
      std::fprintf(stderr, "Pas assez de touches libres pour les caractères des tests\n");
      return 1;
    }
  }
  QApplication application(argc, argv);
  // A window the window manager closes ends no event loop of the tests.
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
