#include "measure/ui/display_page.h"
#include "measure/ui/value_field.h"
#include "simulated_instrument/demo_bus.h"

#include "support/child_process.h"
#include "support/test_settings.h"
#include "support/window_fixture.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

namespace vestrix::app {
namespace {

// The demo's window connects by itself and shows values that change.
TEST(Demo, ShowsChangingLiveValuesWithinOneSecond) {
  const auto platform = sim::MakeDemoBus();
  testing::TestSettings settings;
  TFMain window(*platform, settings.path());
  window.show();
  measure::ValueField* tens = window.TabSheet1->tensField();
  measure::ValueField* counter = window.TabSheet1->counterField();
  ASSERT_TRUE(testing::PumpUntil([&] { return tens->text() != "-------------"; }, 1000));
  const QString first = tens->text();
  const QString firstCount = counter->text();
  EXPECT_TRUE(testing::PumpUntil([&] { return tens->text() != first && counter->text() != firstCount; }, 1000));
  EXPECT_EQ(window.DeviceConnected, 255);
}

// The demo program itself runs, and ends with 0 when asked to.
TEST(Demo, ProgramRunsAndEndsCleanly) {
  // A copy in a folder of its own: its settings and records (it starts
  // recording, as a first start does) stay out of the build tree.
  QTemporaryDir folder;
  const QString copy = folder.filePath("vestrix-pc-demo");
  ASSERT_TRUE(QFile::copy(DEMO_PROGRAM, copy));
  testing::ChildProcess demo(std::vector<std::string>{copy.toStdString()}, folder.path().toStdString());
  ASSERT_TRUE(demo.started());
  EXPECT_TRUE(demo.aliveAfter(1500));
  demo.signal(SIGTERM);
  EXPECT_EQ(demo.wait(), 0);
  // Its own settings and records, apart from the real program's.
  EXPECT_TRUE(QFile::exists(folder.filePath("demo.ini")));  // saved at the close
  EXPECT_FALSE(QFile::exists(folder.filePath("config.ini")));
  EXPECT_FALSE(QFile::exists(folder.filePath("data.csv")));
  EXPECT_TRUE(QFile::exists(folder.filePath("data-simulated.csv")));  // a first start records
}

}  // namespace
}  // namespace vestrix::app
