#include "support/hid_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace vestrix::hid {
namespace {

using testing::DeviceSpec;

class Controller : public ::testing::Test, public testing::HidFixture {
 protected:
  void SetUp() override {}
  void TearDown() override { controller.reset(); }

  // Creates the controller with counting handlers and runs the start-up pass.
  void start() {
    createController();
    controller->setWindowBeingBuilt(true);
    controller->setOnDeviceChange(
        HidDeviceController::NotifyHandler::from([this](HidDeviceController&) { ++changes; }));
    controller->setOnArrival(PlugHandler::from([this](HidDevice& d) { arrivals.push_back(&d); }));
    controller->setOnRemoval(PlugHandler::from([this](HidDevice& d) { removals.push_back(&d); }));
    controller->setWindowBeingBuilt(false);
    gui.processEvents();
  }

  // A pass as the platform's notification would run it.
  void settle() { gui.processEvents(); }

  int changes = 0;
  std::vector<HidDevice*> arrivals;
  std::vector<HidDevice*> removals;
};

TEST_F(Controller, StartupPassWithNoDeviceFiresOnce) {
  start();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(controller->deviceCount(), 0);
  int offered = 0;
  controller->setOnEnumerate(HidDeviceController::EnumerateHandler::from([&](HidDevice&, int) {
    ++offered;
    return true;
  }));
  EXPECT_EQ(controller->EnumerateDevices(), 0);
  EXPECT_EQ(offered, 0);
}

TEST_F(Controller, NoHidServicesMeansNoPassAtAll) {
  hid::sim::SimBus noHid(false);
  noHid.plug(DeviceSpec(u"VESTRIX"));
  HidDeviceController c(noHid, gui);
  int fired = 0;
  c.setWindowBeingBuilt(true);
  c.setOnDeviceChange(HidDeviceController::NotifyHandler::from([&](HidDeviceController&) { ++fired; }));
  c.setWindowBeingBuilt(false);
  gui.processEvents();
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(c.deviceCount(), 0);
}

TEST_F(Controller, ChangeThatConcernsNoHidDeviceFiresNothing) {
  bus.plug(DeviceSpec(u"A"));
  start();
  ASSERT_EQ(changes, 1);
  bus.notifyUnrelatedChange();
  settle();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(controller->deviceCount(), 1);
  EXPECT_EQ(arrivals.size(), 1u);
}

TEST_F(Controller, ArrivalAndRemovalOfUnclaimedDevices) {
  start();
  auto a = bus.plug(DeviceSpec(u"A"));
  auto b = bus.plug(DeviceSpec(u"B"));
  settle();
  EXPECT_EQ(controller->deviceCount(), 2);
  EXPECT_EQ(arrivals.size(), 2u);
  EXPECT_EQ(controller->device(0).ProductName(), u"");  // not accessible outside callbacks
  bus.unplug(a);
  settle();
  ASSERT_EQ(controller->deviceCount(), 1);
  EXPECT_EQ(controller->device(0).pnpInfo().devInst, b->identity());
  EXPECT_EQ(removals.size(), 1u);
  EXPECT_EQ(changes, 3);  // start-up, arrivals, removal (each plug posted a pass; the second found nothing new)
}

TEST_F(Controller, UnplugWhileClaimedStaysListedUntilReleased) {
  auto a = bus.plug(DeviceSpec(u"A"));
  start();
  HidDevice* claimed = nullptr;
  ASSERT_TRUE(controller->ClaimDeviceByIndex(claimed, 0));
  bus.unplug(a);
  settle();
  ASSERT_EQ(removals.size(), 1u);
  EXPECT_EQ(removals[0], claimed);
  ASSERT_EQ(controller->deviceCount(), 1);
  EXPECT_FALSE(claimed->pluggedIn());
  EXPECT_EQ(controller->EnumerateDevices(), 0);  // skipped
  bus.notifyUnrelatedChange();
  settle();
  EXPECT_EQ(removals.size(), 1u);  // not reported again
  controller->ReleaseDevice(claimed);
  EXPECT_EQ(controller->deviceCount(), 0);
}

TEST_F(Controller, SameDevicePluggedAgainWhileOldObjectClaimedIsAFurtherEntry) {
  auto a = bus.plug(DeviceSpec(u"A"));
  start();
  HidDevice* old = nullptr;
  ASSERT_TRUE(controller->ClaimDeviceByIndex(old, 0));
  const std::uint32_t identity = a->identity();
  bus.unplug(a);
  settle();
  bus.plug(DeviceSpec(u"A"), identity);  // same identity, as some platforms report
  settle();
  ASSERT_EQ(controller->deviceCount(), 2);
  EXPECT_EQ(&controller->device(0), old);
  EXPECT_FALSE(old->pluggedIn());
  EXPECT_TRUE(controller->device(1).pluggedIn());
  EXPECT_EQ(controller->device(1).pnpInfo().devInst, identity);
}

TEST_F(Controller, EnumerateStopsWhenHandlerReturnsFalse) {
  for (auto name : {u"A", u"B", u"C"}) bus.plug(DeviceSpec(name));
  start();
  std::vector<std::pair<std::u16string, int>> offered;
  controller->setOnEnumerate(HidDeviceController::EnumerateHandler::from([&](HidDevice& d, int idx) {
    offered.emplace_back(d.ProductName(), idx);  // readable: InCallback
    return idx != 1;
  }));
  EXPECT_EQ(controller->EnumerateDevices(), 2);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(offered[0], std::make_pair(std::u16string(u"A"), 0));
  EXPECT_EQ(offered[1], std::make_pair(std::u16string(u"B"), 1));
}

TEST_F(Controller, EnumerateWithoutHandlerCountsOne) {
  bus.plug(DeviceSpec(u"A"));
  bus.plug(DeviceSpec(u"B"));
  start();
  EXPECT_EQ(controller->EnumerateDevices(), 1);
}

struct ClaimCase {
  int index;
  bool claimFirst;
  bool expected;
};

void PrintTo(const ClaimCase& c, std::ostream* os) { *os << c.index << (c.claimFirst ? "_claimed" : ""); }

class Claim : public Controller, public ::testing::WithParamInterface<ClaimCase> {};

TEST_P(Claim, OutOfRangeOrTwiceFails) {
  bus.plug(DeviceSpec(u"A"));
  bus.plug(DeviceSpec(u"B"));
  start();
  HidDevice* device = nullptr;
  if (GetParam().claimFirst) {
    ASSERT_TRUE(controller->ClaimDeviceByIndex(device, GetParam().index));
  }
  device = reinterpret_cast<HidDevice*>(0x1);
  EXPECT_EQ(controller->ClaimDeviceByIndex(device, GetParam().index), GetParam().expected);
  if (GetParam().expected) {
    EXPECT_EQ(device, &controller->device(GetParam().index));
    EXPECT_TRUE(device->claimed());
  } else {
    EXPECT_EQ(device, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Claim,
                         ::testing::Values(ClaimCase{-1, false, false}, ClaimCase{2, false, false},
                                           ClaimCase{0, false, true}, ClaimCase{1, false, true},
                                           ClaimCase{1, true, false}));

TEST_F(Controller, ReleaseOfPluggedDeviceGivesFreshObjectWithHandlers) {
  auto a = bus.plug(DeviceSpec(u"A"));
  start();
  HidDevice* device = nullptr;
  ASSERT_TRUE(controller->ClaimDeviceByIndex(device, 0));
  int reports = 0;
  int unplugs = 0;
  auto onReport = ReportHandler::from([&](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) { ++reports; });
  device->setReportHandler(onReport);
  device->setUnplugHandler(PlugHandler::from([&](HidDevice&) { ++unplugs; }));
  device->setReaderSleepTime(20);
  ASSERT_TRUE(device->hasReader());
  a->queueInput({1, 2, 3});
  ASSERT_TRUE(runUntil([&] { return reports == 1; }));

  controller->ReleaseDevice(device);
  ASSERT_EQ(controller->deviceCount(), 1);
  HidDevice& fresh = controller->device(0);
  EXPECT_FALSE(fresh.claimed());
  EXPECT_FALSE(fresh.hasReader());
  EXPECT_TRUE(fresh.reportHandler().sameFunction(onReport));
  EXPECT_EQ(fresh.ReaderSleepTime(), 20);
  EXPECT_EQ(a->openReadChannels(), 0);

  HidDevice* again = nullptr;
  ASSERT_TRUE(controller->ClaimDeviceByIndex(again, 0));
  EXPECT_EQ(again, &fresh);
  EXPECT_TRUE(fresh.hasReader());  // handler kept: the reader starts on the claim
  a->queueInput({1, 4});
  ASSERT_TRUE(runUntil([&] { return reports == 2; }));
  bus.unplug(a);
  settle();
  EXPECT_EQ(unplugs, 1);  // the kept unplug handler
}

TEST_F(Controller, ReleaseOfUnpluggedDeviceRemovesIt) {
  auto a = bus.plug(DeviceSpec(u"A"));
  bus.plug(DeviceSpec(u"B"));
  start();
  HidDevice* device = nullptr;
  ASSERT_TRUE(controller->ClaimDeviceByIndex(device, 0));
  bus.unplug(a);
  settle();
  controller->ReleaseDevice(device);
  ASSERT_EQ(controller->deviceCount(), 1);
  EXPECT_EQ(controller->device(0).pnpInfo().devInst, bus.devices()[0]->identity());
}

TEST_F(Controller, DevThreadSleepTimeOnlyPassesAcceptedValues) {
  bus.plug(DeviceSpec(u"A"));
  start();
  for (int value : {0, 5, 20000}) {
    controller->setDevThreadSleepTime(value);
    EXPECT_EQ(controller->DevThreadSleepTime(), value);
    EXPECT_EQ(controller->device(0).ReaderSleepTime(), 100);
  }
  controller->setDevThreadSleepTime(100);
  controller->setDevThreadSleepTime(50);  // devices that follow the controller's value follow it
  EXPECT_EQ(controller->device(0).ReaderSleepTime(), 50);
}

TEST_F(Controller, OnDeviceDataReachesDevicesThatFollowTheController) {
  bus.plug(DeviceSpec(u"A"));
  bus.plug(DeviceSpec(u"B"));
  start();
  auto own = ReportHandler::from([](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {});
  controller->device(1).setReportHandler(own);
  auto common = ReportHandler::from([](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {});
  controller->setOnDeviceData(common);
  EXPECT_TRUE(controller->device(0).reportHandler().sameFunction(common));
  EXPECT_TRUE(controller->device(1).reportHandler().sameFunction(own));
  bus.plug(DeviceSpec(u"C"));
  settle();
  EXPECT_TRUE(controller->device(2).reportHandler().sameFunction(common));  // new objects take it
}

TEST_F(Controller, SettingOnDeviceChangeOutsideLoadingRunsAPass) {
  bus.plug(DeviceSpec(u"A"));
  createController();
  int fired = 0;
  controller->setOnDeviceChange(HidDeviceController::NotifyHandler::from([&](HidDeviceController&) { ++fired; }));
  EXPECT_EQ(fired, 1);  // the device arrived in that pass
  EXPECT_EQ(controller->deviceCount(), 1);
}

TEST_F(Controller, DevicesThatCannotBeOpenedOrIdentifiedAreLeftOut) {
  auto spec = DeviceSpec(u"closed");
  spec.opens = false;
  bus.plug(spec);
  spec = DeviceSpec(u"anonymous");
  spec.identifiable = false;
  bus.plug(spec);
  bus.plug(DeviceSpec(u"ok"));
  start();
  ASSERT_EQ(controller->deviceCount(), 1);
}

TEST_F(Controller, DestructionWithClaimedDevicesLeavesNoReaderRunning) {
  auto a = bus.plug(DeviceSpec(u"A"));
  auto b = bus.plug(DeviceSpec(u"B"));
  start();
  for (int i = 0; i < 2; ++i) {
    HidDevice* device = nullptr;
    ASSERT_TRUE(controller->ClaimDeviceByIndex(device, i));
    device->setReportHandler(ReportHandler::from([](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {}));
    ASSERT_TRUE(device->hasReader());
  }
  ASSERT_TRUE(runUntil([&] { return a->openReadChannels() == 1 && b->openReadChannels() == 1; }));
  controller.reset();
  EXPECT_EQ(a->openReadChannels(), 0);
  EXPECT_EQ(b->openReadChannels(), 0);
}

}  // namespace
}  // namespace vestrix::hid
