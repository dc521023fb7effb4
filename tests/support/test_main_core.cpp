// The test programs of a build without the window: an application object
// without widgets.
#include "support/fail_on_warning.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qInstallMessageHandler(vestrix::testing::FailOnWarning);
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
