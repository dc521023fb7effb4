#include "app/fonts.h"

#include "support/fail_on_warning.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test program has an application object, so that widgets can be built.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  qInstallMessageHandler(vestrix::testing::FailOnWarning);
  QApplication application(argc, argv);
  vestrix::app::LoadApplicationFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
