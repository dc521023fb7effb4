#include "hid/controller_error.h"

#include "support/hid_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace vestrix::hid {
namespace {

using testing::DeviceSpec;

struct Received {
  std::uint8_t reportId;
  std::vector<std::uint8_t> data;
};

// One device, claimed through a controller on the simulated bus.
class Device : public ::testing::Test, public testing::HidFixture {
 protected:
  HidDevice& claim(hid::sim::SimDeviceSpec spec) {
    sim = bus.plug(std::move(spec));
    createController();
    gui.processEvents();
    HidDevice* device = nullptr;
    EXPECT_TRUE(controller->ClaimDeviceByIndex(device, 0));
    return *device;
  }

  ReportHandler recorder() {
    return ReportHandler::from([this](HidDevice&, std::uint8_t id, const std::uint8_t* data, std::uint16_t size) {
      received.push_back({id, std::vector<std::uint8_t>(data, data + size)});
    });
  }

  void TearDown() override { controller.reset(); }

  std::shared_ptr<hid::sim::SimDevice> sim;
  std::vector<Received> received;
};

TEST_F(Device, RefusingReadWriteIsIdentifiedButNeverRead) {
  auto spec = DeviceSpec(u"VESTRIX", 0x1234, 0x00AB);
  spec.readWrite = false;
  HidDevice& device = claim(spec);
  EXPECT_FALSE(device.OpenedForReadWrite());
  EXPECT_EQ(device.ProductName(), u"VESTRIX");
  EXPECT_EQ(device.VendorID(), 0x1234);
  EXPECT_EQ(device.ProductID(), 0x00AB);
  device.setReportHandler(recorder());
  EXPECT_FALSE(device.hasReader());
  const std::uint8_t report[] = {1, 4};
  EXPECT_FALSE(device.WriteReport(report, sizeof report));
  EXPECT_TRUE(sim->outputReports().empty());
}

struct ProductCase {
  const char* name;
  std::optional<std::u16string> stored;
  std::u16string expected;
};

void PrintTo(const ProductCase& c, std::ostream* os) { *os << c.name; }

class ProductName : public Device, public ::testing::WithParamInterface<ProductCase> {};

TEST_P(ProductName, IsCutAndCached) {
  auto spec = DeviceSpec(u"");
  spec.productString = GetParam().stored;
  HidDevice& device = claim(spec);
  EXPECT_EQ(device.ProductName(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProductName,
    ::testing::Values(ProductCase{"plain", u"VESTRIX", u"VESTRIX"}, ProductCase{"empty", u"", u""},
                      ProductCase{"unreadable", std::nullopt, u""},
                      ProductCase{"nul_inside", std::u16string(u"AB\0CD", 5), u"AB"},
                      ProductCase{"long_300", std::u16string(300, u'x'), std::u16string(254, u'x')},
                      ProductCase{"exactly_254", std::u16string(254, u'y'), std::u16string(254, u'y')}));

TEST_F(Device, ReportReachesHandlerWithIdAndSize) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  EXPECT_FALSE(device.hasReader());  // claimed without a handler: no reader
  device.setReportHandler(recorder());
  EXPECT_TRUE(device.hasReader());
  sim->queueInput({1, 10, 20, 30});
  sim->queueInput({});  // a read of 0 bytes reaches nobody
  sim->queueInput({7});
  ASSERT_TRUE(runUntil([&] { return received.size() == 2; }));
  EXPECT_EQ(received[0].reportId, 1);
  EXPECT_EQ(received[0].data, (std::vector<std::uint8_t>{10, 20, 30}));
  EXPECT_EQ(received[1].reportId, 7);
  EXPECT_TRUE(received[1].data.empty());
}

TEST_F(Device, ClearingTheHandlerStopsTheReader) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  device.setReportHandler(recorder());
  ASSERT_TRUE(runUntil([&] { return sim->openReadChannels() == 1; }));
  device.setReportHandler({});
  EXPECT_FALSE(device.hasReader());
  EXPECT_EQ(sim->openReadChannels(), 0);
  sim->queueInput({1, 1});
  runFor(std::chrono::milliseconds(50));
  EXPECT_TRUE(received.empty());
}

TEST_F(Device, ReaderSleepTimeBounds) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  for (auto [value, stored] :
       std::vector<std::pair<int, int>>{{9, 100}, {10, 10}, {10001, 10}, {10000, 10000}, {-1, 10000}}) {
    device.setReaderSleepTime(value);
    EXPECT_EQ(device.ReaderSleepTime(), stored) << value;
  }
}

TEST_F(Device, UnplugMakesTheReaderReportErrorsUntilRelease) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  std::vector<std::uint32_t> errors;
  device.setReadErrorHandler(ReadErrorHandler::from([&](HidDevice&, std::uint32_t e) { errors.push_back(e); }));
  device.setReaderSleepTime(10);
  device.setReportHandler(recorder());
  bus.unplug(sim);
  gui.processEvents();  // the pass marks it unplugged
  ASSERT_FALSE(device.pluggedIn());
  const std::uint8_t report[] = {1, 4};
  EXPECT_FALSE(device.WriteReport(report, sizeof report));
  ASSERT_TRUE(runUntil([&] { return errors.size() >= 3; }));
  const std::size_t before = errors.size();
  runFor(std::chrono::milliseconds(25));
  EXPECT_LE(errors.size(), before + 5);  // one per slice, not a spin
  controller->ReleaseDevice(&device);
  const std::size_t atRelease = errors.size();
  runFor(std::chrono::milliseconds(30));
  EXPECT_EQ(errors.size(), atRelease);
  EXPECT_EQ(controller->deviceCount(), 0);
}

TEST_F(Device, ErrorInReportHandlerEndsTheReader) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  int calls = 0;
  device.setReportHandler(ReportHandler::from([&](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {
    ++calls;
    throw std::runtime_error("handler failed");
  }));
  sim->queueInput({1, 1});
  ASSERT_TRUE(runUntil([&] { return calls == 1; }));
  sim->queueInput({1, 2});
  runFor(std::chrono::milliseconds(50));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(device.hasReader());  // ended, still recorded
  // A new non-empty handler does not restart it; clearing and setting does.
  device.setReportHandler(recorder());
  runFor(std::chrono::milliseconds(20));
  EXPECT_TRUE(received.empty());
  device.setReportHandler({});
  device.setReportHandler(recorder());
  sim->queueInput({1, 3});
  ASSERT_TRUE(runUntil([&] { return !received.empty() && received.back().data == std::vector<std::uint8_t>{3}; }));
}

// The reader waits in a hand-over that the GUI thread has not served yet;
// stopping it from the GUI thread serves that hand-over and completes.
TEST_F(Device, StoppingAReaderBlockedInAHandoverCompletes) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  device.setReportHandler(recorder());
  sim->queueInput({1, 42});
  while (!gui.hasPendingHandovers()) std::this_thread::yield();  // the reader handed it over and waits for us
  device.setReportHandler({});
  EXPECT_FALSE(device.hasReader());
  ASSERT_EQ(received.size(), 1u);  // the report ran inside the stop
  EXPECT_EQ(received[0].data, std::vector<std::uint8_t>{42});
}

TEST_F(Device, StopIsNoticedAtOnceNotAfterTheSlice) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  device.setReaderSleepTime(10000);
  device.setReportHandler(recorder());
  ASSERT_TRUE(runUntil([&] { return sim->openReadChannels() == 1; }));
  std::atomic<bool> stopped = false;
  std::thread watchdog([&] {
    for (int i = 0; i < 500 && !stopped; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(stopped.load()) << "stop waited for the 10 s slice";
  });
  device.setReportHandler({});
  stopped = true;
  watchdog.join();
}

TEST_F(Device, WritesGoOutAsGiven) {
  HidDevice& device = claim(DeviceSpec(u"A"));
  const std::uint8_t report[] = {1, 4, 0, 0};
  EXPECT_TRUE(device.WriteReport(report, sizeof report));
  EXPECT_TRUE(device.WriteReport(report, 2));
  ASSERT_EQ(sim->outputReports().size(), 2u);
  EXPECT_EQ(sim->outputReports()[0], (std::vector<std::uint8_t>{1, 4, 0, 0}));
  EXPECT_EQ(sim->outputReports()[1], (std::vector<std::uint8_t>{1, 4}));
  EXPECT_EQ(device.GetCaps().outputReportByteLength, 64);
  EXPECT_EQ(device.GetCaps().inputReportByteLength, 64);
}

TEST(DeviceCreation, FailuresRaiseControllerError) {
  ManualGuiThread gui;
  sim::SimBus bus;
  auto spec = DeviceSpec(u"A");
  spec.opens = false;
  auto closed = bus.plug(spec);
  spec.opens = true;
  spec.identifiable = false;
  auto anonymous = bus.plug(spec);
  try {
    HidDevice d({closed->identity(), closed->spec().path}, nullptr, bus, gui);
    FAIL();
  } catch (const ControllerError& e) {
    EXPECT_STREQ(e.what(), "Device cannot be opened");
  }
  try {
    HidDevice d({anonymous->identity(), anonymous->spec().path}, nullptr, bus, gui);
    FAIL();
  } catch (const ControllerError& e) {
    EXPECT_STREQ(e.what(), "Device cannot be identified");
  }
}

}  // namespace
}  // namespace vestrix::hid
