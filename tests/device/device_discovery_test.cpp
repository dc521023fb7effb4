#include "device/device_discovery.h"

#include "device/access_help.h"
#include "measure/ui/display_page.h"
#include "protocol/message_codes.h"

#include "support/window_fixture.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>

namespace vestrix::device {
namespace {

using testing::DeviceSpec;

class Discovery : public testing::WindowFixture {};

TEST_F(Discovery, StartupPassConnectsTheInstrument) {
  auto instrument = plugInstrument();
  start();
  EXPECT_TRUE(connected());
  EXPECT_EQ(panel(1), message("IDS_1"));
  EXPECT_EQ(panel(0), message("IDS_4"));
  ASSERT_NE(window->ActiveDevice(), nullptr);
  EXPECT_EQ(window->ActiveDevice()->pnpInfo().devInst, instrument->identity());
  EXPECT_EQ(lines(), QStringList{"VESTRIX"});
  EXPECT_EQ(window->TabSheet5->deviceList()->count(), 1);
  // Polling runs and its answers reach the Display page.
  EXPECT_TRUE(testing::PumpUntil([&] { return window->TabSheet1->tensField()->text() != "-------------"; }));
}

TEST_F(Discovery, NoDeviceAtAll) {
  start();
  EXPECT_TRUE(lines().isEmpty());
  EXPECT_EQ(panel(0), "");
  EXPECT_EQ(panel(1), message("IDS_2"));
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(window->ActiveDevice(), nullptr);
}

struct ListCase {
  const char* name;
  std::vector<hid::sim::SimDeviceSpec> devices;
  QStringList lines;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

hid::sim::SimDeviceSpec Unreadable() {
  auto spec = DeviceSpec(u"", 0x0ABC, 0x0001);
  spec.productString = std::nullopt;
  return spec;
}

class NotTheInstrument : public Discovery, public ::testing::WithParamInterface<ListCase> {};

TEST_P(NotTheInstrument, IsListedAndClaimedButNotConnected) {
  for (const auto& spec : GetParam().devices) bus.plug(spec);
  start();
  EXPECT_EQ(lines(), GetParam().lines);
  for (const auto& line : window->deviceLines()) {
    ASSERT_NE(line.device, nullptr);
    EXPECT_TRUE(line.device->claimed());
  }
  EXPECT_EQ(panel(0), message("IDS_4"));
  EXPECT_EQ(panel(1), message("IDS_2"));
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(window->ActiveDevice(), nullptr);
  // Nothing is sent while not connected.
  window->DataTimerTimer();
  window->BitBtn4Click();
  for (const auto& device : bus.devices()) EXPECT_TRUE(device->outputReports().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotTheInstrument,
    ::testing::Values(ListCase{"others", {DeviceSpec(u"Keyboard"), DeviceSpec(u"Mouse")}, {"Keyboard", "Mouse"}},
                      ListCase{"empty_product", {DeviceSpec(u"", 4660, 171)}, {"Device VID=1234 PID=00AB"}},
                      ListCase{"unreadable_product", {Unreadable()}, {"Device VID=0ABC PID=0001"}},
                      ListCase{"lower_case", {DeviceSpec(u"vestrix")}, {"vestrix"}},
                      ListCase{"trailing_blank", {DeviceSpec(u"VESTRIX ")}, {"VESTRIX "}},
                      ListCase{"prefix", {DeviceSpec(u"VESTRIX2")}, {"VESTRIX2"}}));

TEST_F(Discovery, InstrumentWithoutReadWriteAccessIsFoundButNotConnected) {
  auto spec = DeviceSpec(u"VESTRIX");
  spec.readWrite = false;
  spec.path = "/dev/hidraw7";
  auto instrument = bus.plug(spec);
  start();
  ASSERT_NE(window->ActiveDevice(), nullptr);
  EXPECT_FALSE(window->ActiveDevice()->hasReader());
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(panel(1), message("IDS_2"));
  // Panel 0 says why, and what to do.
  // (The udev rule on Linux; on Windows, unplugging it.)
  const device::AccessHelp help = device::AccessHelpFor(QCoreApplication::applicationDirPath());
  const QString said = message(help.messageId);
  EXPECT_EQ(panel(0), help.path.isEmpty() ? said.arg("/dev/hidraw7") : said.arg("/dev/hidraw7", help.path));
  EXPECT_TRUE(panel(0).contains("/dev/hidraw7")) << panel(0).toStdString();
  window->BitBtn4Click();
  window->DataTimerTimer();
  EXPECT_TRUE(instrument->outputReports().empty());
}

TEST_F(Discovery, OfTwoInstrumentsTheLaterDecides) {
  auto first = plugInstrument();
  auto second = plugInstrument();
  start();
  EXPECT_EQ(lines(), QStringList({"VESTRIX", "VESTRIX"}));
  EXPECT_TRUE(connected());
  ASSERT_EQ(window->ActiveDevice(), window->deviceLines()[1].device);
  EXPECT_FALSE(window->deviceLines()[0].device->hasReader());
  EXPECT_TRUE(window->deviceLines()[0].device->claimed());
  ASSERT_TRUE(testing::PumpUntil([&] { return !second->outputReports().empty(); }));
  first->clearOutputReports();
  testing::PumpFor(50);
  EXPECT_TRUE(first->outputReports().empty());
}

TEST_F(Discovery, LaterInstrumentWithoutAccessLeavesTheProgramNotConnected) {
  plugInstrument();
  auto spec = DeviceSpec(u"VESTRIX");
  spec.readWrite = false;
  bus.plug(spec);
  start();
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(panel(1), message("IDS_2"));
  EXPECT_EQ(window->ActiveDevice(), window->deviceLines()[1].device);
}

// Another holder claims the later instrument as it arrives, so its line
// has no object: the earlier one is not left half-connected.
TEST_F(Discovery, ALaterInstrumentLineWithoutItsObjectEndsNotConnected) {
  plugInstrument();
  start();
  ASSERT_TRUE(connected());
  window->HidDeviceController1->setOnArrival(hid::PlugHandler::from([&](hid::HidDevice&) {
    hid::HidDevice* taken = nullptr;
    ASSERT_TRUE(
        window->HidDeviceController1->ClaimDeviceByIndex(taken, window->HidDeviceController1->deviceCount() - 1));
  }));
  plugInstrument();
  settle();
  ASSERT_EQ(lines(), QStringList({"VESTRIX", "VESTRIX"}));
  EXPECT_EQ(window->deviceLines()[1].device, nullptr);
  EXPECT_EQ(window->ActiveDevice(), nullptr);
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(panel(1), message("IDS_2"));
  // The earlier instrument's reader is stopped: nothing keeps polling it.
  EXPECT_FALSE(window->deviceLines()[0].device->hasReader());
}

TEST_F(Discovery, InstrumentPluggedInLaterConnectsWithoutUserAction) {
  bus.plug(DeviceSpec(u"Keyboard"));
  start();
  ASSERT_TRUE(disconnected());
  plugInstrument();
  settle();
  EXPECT_TRUE(connected());
  EXPECT_EQ(panel(1), message("IDS_1"));
  EXPECT_EQ(lines(), QStringList({"Keyboard", "VESTRIX"}));
}

TEST_F(Discovery, AnotherDeviceComingAndGoingKeepsTheConnection) {
  auto instrument = plugInstrument();
  start();
  auto keyboard = bus.plug(DeviceSpec(u"Keyboard"));
  settle();
  EXPECT_TRUE(connected());
  bus.unplug(keyboard);
  settle();
  EXPECT_TRUE(connected());
  EXPECT_EQ(lines(), QStringList{"VESTRIX"});
  instrument->clearOutputReports();
  EXPECT_TRUE(testing::PumpUntil([&] { return instrument->outputReports().size() >= 3; }));
}

TEST_F(Discovery, UnplugEndsNotConnectedWithTheLastValuesKept) {
  auto instrument = plugInstrument();
  start();
  ASSERT_TRUE(testing::PumpUntil([&] { return window->TabSheet1->tensField()->text() != "-------------"; }));
  bus.unplug(instrument);
  settle();
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(panel(1), message("IDS_2"));
  EXPECT_EQ(window->ActiveDevice(), nullptr);
  EXPECT_TRUE(lines().isEmpty());
  const QString kept = window->TabSheet1->tensField()->text();
  EXPECT_NE(kept, "-------------");
  testing::PumpFor(50);
  EXPECT_EQ(window->TabSheet1->tensField()->text(), kept);
  // Plugged in again: connected again, with a new identity.
  auto again = plugInstrument();
  settle();
  EXPECT_TRUE(connected());
  EXPECT_EQ(window->ActiveDevice()->pnpInfo().devInst, again->identity());
}

// The exact output reports as the instrument receives them.
TEST_F(Discovery, OutputReportsOnTheWire) {
  auto instrument = plugInstrument();
  start();
  window->DataTimer->stop();
  settle();
  instrument->clearOutputReports();
  window->DataTimerTimer();
  window->BitBtn4Click();
  std::vector<std::uint8_t> request(64, 0), reset(64, 0);
  request[0] = reset[0] = 1;
  request[1] = protocol::kReadMeasurement;
  reset[1] = protocol::kResetMinMax;
  EXPECT_EQ(instrument->outputReports(), (std::vector<std::vector<std::uint8_t>>{request, reset}));
  ASSERT_TRUE(testing::PumpUntil([&] { return panel(0) == message("IDS_14"); }));  // the reset's acknowledgement
}

}  // namespace
}  // namespace vestrix::device
