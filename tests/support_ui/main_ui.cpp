// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the GUI tests: a QApplication on the offscreen platform (also when the tests are
// only listed at build time), and the guard responder that turns an unexpected message box into
// a failure.

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

#include "framework/service_messages.h"
#include "support_ui/repondeur_scripte.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  velquor::test::RepondeurGarde garde;
  velquor::InstallerServiceMessages(&garde);
  ::testing::InitGoogleTest(&argc, argv);
  int resultat = RUN_ALL_TESTS();
  velquor::InstallerServiceMessages(nullptr);
  return resultat;
}
