// The command line and the window record the same measurements alike.
#include "console_fixture.h"
#include "record/ui/acquisition_page.h"
#include "record/ui/recording_group.h"

#include "support/window_fixture.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vestrix::cli {
namespace {

class WindowAndConsole : public testing::WindowFixture {
 protected:
  ConsoleRunner cli;
};

TEST_F(WindowAndConsole, RecordTheSameLinesByteForByte) {
  constexpr int kRecords = 40;
  cli.makeScripted();
  cli.separator = QLatin1Char(',');
  const ConsoleRun r = cli.run({"record", cli.path("cli.csv"), "--count", std::to_string(kRecords), "--columns",
                                "date,time,no,tens,enc,adc,out1,out2"});
  ASSERT_EQ(r.code, 0) << r.err;

  // The window, on the same made-up measurements from the first, the same
  // clock and separator: the run is ticked before the instrument comes.
  start();
  window->setDecimalSeparator(QLatin1Char(','));
  window->LocalClock = [] { return record::ClockReading{2026, 12, 10, 8, 30, 5, 7}; };
  record::RecordingGroup* group = window->TabSheet5->recordingGroup();
  group->fileEdit()->setText(QString::fromStdString(cli.path("window.csv")));
  for (QCheckBox* box : group->columnBoxes()) box->setChecked(true);
  window->TabSheet3->runBox()->setChecked(true);
  auto inner = std::make_shared<sim::VestrixInstrument>();
  hid::sim::SimDeviceSpec spec = sim::VestrixInstrumentSpec(inner);
  spec.behaviour = std::make_shared<ScriptedInstrument>(inner);
  bus.plug(spec);
  ASSERT_TRUE(testing::PumpUntil([&] { return Lines(cli.file("window.csv")).size() > kRecords; }, 20000));
  window->TabSheet3->runBox()->setChecked(false);

  // The window's first records, against every record of the command line.
  const std::string fromCli = cli.file("cli.csv");
  const std::string fromWindow = cli.file("window.csv");
  ASSERT_EQ(Lines(fromCli).size(), kRecords + 1u);
  EXPECT_EQ(fromWindow.substr(0, fromCli.size()), fromCli);
  EXPECT_EQ(Lines(fromCli)[2].rfind("10-12-2026;8:30:5:7;1;12,75;3,00;", 0), 0u) << Lines(fromCli)[2];
}

}  // namespace
}  // namespace vestrix::cli
