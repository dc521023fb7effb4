// The window and another program on one instrument: whoever holds it uses
// it; the window says who holds it and connects once that program lets go.
#include "support/window_fixture.h"

namespace vestrix::app {
namespace {

class WindowInUse : public testing::WindowFixture {};

TEST_F(WindowInUse, RefusedWhileAnotherProgramHoldsItAndConnectedOnceItLetsGo) {
  const auto device = plugInstrument();
  hid::sim::SimBus other;
  other.setHolderName("vestrix-cli (pid 9)");
  other.plugShared(device);
  hid::HoldResult held = other.hold(other.scan().at(0));
  ASSERT_NE(held.hold, nullptr);

  start();
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(panel(1), message("IDS_2"));
  EXPECT_EQ(panel(0), QString::fromStdString(device->spec().path) + " is in use by vestrix-cli (pid 9)");
  device->clearOutputReports();
  testing::PumpFor(30);
  EXPECT_TRUE(device->outputReports().empty());  // nothing sent meanwhile

  held.hold.reset();
  EXPECT_TRUE(testing::PumpUntil([&] { return connected(); }, 5000));
  EXPECT_EQ(panel(1), message("IDS_1"));
  EXPECT_EQ(device->holder(), "a program");
}

TEST_F(WindowInUse, HoldsTheInstrumentWhileConnected) {
  const auto device = plugInstrument();
  start();
  ASSERT_TRUE(connected());
  hid::sim::SimBus other;
  other.plugShared(device);
  const hid::HoldResult refused = other.hold(other.scan().at(0));
  EXPECT_TRUE(refused.inUse);
  EXPECT_EQ(refused.hold, nullptr);
  window.reset();  // closing the window lets go of it
  EXPECT_NE(other.hold(other.scan().at(0)).hold, nullptr);
}

}  // namespace
}  // namespace vestrix::app
