// The main of the real-input tests: a QApplication on the X server that scripts/test.sh starts
// (VELQUOR_AFFICHAGE_REEL, with a window manager). Without one, and when the tests are only
// listed, the platform is offscreen and the tests skip themselves.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const QByteArray affichage = qgetenv("VELQUOR_AFFICHAGE_REEL");
  if (affichage.isEmpty() || ::testing::GTEST_FLAG(list_tests)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  } else {
    qputenv("DISPLAY", affichage);
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication application(argc, argv);
  // A window the window manager closes ends no event loop of the tests.
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
