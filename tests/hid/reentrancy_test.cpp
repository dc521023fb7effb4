// Handlers that release what called them, run nested event loops, or stop
// their own reader: the link must neither touch a freed object, re-enter a
// handler, freeze the event loop nor wait for itself.
#include "hid/hid_device_read_thread.h"

#include "support/hid_fixture.h"
#include "support/watchdog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vestrix::hid {
namespace {

using namespace std::chrono_literals;
using testing::DeviceSpec;
using testing::Watchdog;

// A second hand-over queued while the GUI thread runs the first waits for
// the next turn of the event loop.
TEST(HandoverTurns, ServeOnlyWhatWasQueuedOnEntry) {
  ManualGuiThread gui;
  int ran = 0;
  Handover second;
  second.call = [&] { ++ran; };
  std::atomic<bool> secondQueued = false;
  std::thread late;
  Handover first;
  first.call = [&] {
    ++ran;
    late = std::thread([&] {
      gui.submit(second);
      secondQueued = true;
      gui.await(second);
    });
    while (!secondQueued) std::this_thread::yield();
  };
  std::thread worker([&] {
    gui.submit(first);
    gui.await(first);
  });
  while (!gui.hasPendingHandovers()) std::this_thread::yield();
  EXPECT_EQ(gui.serveHandovers(), 1);
  EXPECT_EQ(ran, 1);
  EXPECT_TRUE(gui.hasPendingHandovers());
  EXPECT_EQ(gui.serveHandovers(), 1);
  EXPECT_EQ(ran, 2);
  worker.join();
  late.join();
}

class Link : public ::testing::Test, public testing::HidFixture {
 protected:
  HidDevice& claim(const char16_t* product = u"A") {
    sim = bus.plug(DeviceSpec(product));
    createController();
    gui.processEvents();
    HidDevice* device = nullptr;
    EXPECT_TRUE(controller->ClaimDeviceByIndex(device, 0));
    return *device;
  }
  void TearDown() override { controller.reset(); }

  std::shared_ptr<sim::SimDevice> sim;
};

// A device that sends as fast as its handler takes reports: one turn of the
// event loop handles at most what was waiting, not the endless stream.
TEST_F(Link, AStreamingDeviceLeavesTheEventLoopEachTurn) {
  HidDevice& device = claim();
  int calls = 0;
  device.setReportHandler(ReportHandler::from([&](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {
    ++calls;
    sim->queueInput({1, 1});  // the next one is always there
  }));
  sim->queueInput({1, 1});
  ASSERT_TRUE(runUntil([&] { return calls > 0; }));
  for (int turn = 0; turn < 20; ++turn) {
    calls = 0;
    gui.processEvents();
    // Two serves per turn (before and after the posted calls), one batch each.
    EXPECT_LE(calls, 2 * static_cast<int>(HidDeviceReadThread::kMaxBatch));
  }
  controller.reset();  // its readers stop before the state their handlers use goes
}

// A handler that runs a nested event loop is not entered again for the same
// device's next report inside its own call.
TEST_F(Link, ANestedEventLoopDoesNotReenterTheHandler) {
  HidDevice& device = claim();
  std::vector<int> order;
  device.setReportHandler(ReportHandler::from([&](HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t) {
    order.push_back(data[0]);
    if (data[0] == 1) {
      sim->queueInput({1, 2});
      // Long enough for a reader that hands over again to be served here.
      gui.runUntil([&] { return order.size() > 1; }, 300ms);
    }
    order.push_back(100 + data[0]);
  }));
  sim->queueInput({1, 1});
  ASSERT_TRUE(runUntil([&] { return order.size() == 4; }));
  EXPECT_EQ(order, (std::vector<int>{1, 101, 2, 102}));
  controller.reset();  // its readers stop before the state their handlers use goes
}

TEST_F(Link, AHandlerThatClearsItsOwnReportHandlerStopsTheReaderWithoutWaitingForItself) {
  HidDevice& device = claim();
  int calls = 0;
  device.setReportHandler(ReportHandler::from([&](HidDevice& d, std::uint8_t, const std::uint8_t*, std::uint16_t) {
    ++calls;
    d.setReportHandler({});
  }));
  {
    Watchdog watchdog(20s, "a reader stopped from inside its own hand-over");
    sim->queueInput({1, 1});
    sim->queueInput({1, 2});
    ASSERT_TRUE(runUntil([&] { return calls == 1 && sim->openReadChannels() == 0; }));
  }
  EXPECT_FALSE(device.hasReader());
  EXPECT_EQ(calls, 1);  // the report read with it reaches nobody
  // A new handler starts a new reader.
  std::vector<int> received;
  device.setReportHandler(ReportHandler::from(
      [&](HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t) { received.push_back(data[0]); }));
  sim->queueInput({1, 3});
  ASSERT_TRUE(runUntil([&] { return !received.empty() && received.back() == 3; }));
  controller.reset();  // its readers stop before the state their handlers use goes
}

// The holder releases and claims again on every change, as the program does;
// a report handler runs a nested loop in which a device arrives, and that
// pass releases the very device whose handler is running.
TEST_F(Link, APassInsideAHandlersNestedLoopReleasesItsDevice) {
  sim = bus.plug(DeviceSpec(u"A"));
  createController();
  HidDevice* held = nullptr;
  int passes = 0;
  std::vector<int> received;
  bool plugOther = true;
  const ReportHandler handler =
      ReportHandler::from([&](HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t) {
        received.push_back(data[0]);
        if (!plugOther) return;
        plugOther = false;
        const int before = passes;
        bus.plug(DeviceSpec(u"B"));
        gui.runUntil([&] { return passes > before; }, 5s);
        // The device this call came for is gone; nothing of it is touched.
      });
  controller->setWindowBeingBuilt(true);
  controller->setOnDeviceChange(HidDeviceController::NotifyHandler::from([&](HidDeviceController& c) {
    ++passes;
    if (held != nullptr) c.ReleaseDevice(held);
    held = nullptr;
    for (int i = 0; i < c.deviceCount(); ++i) {
      HidDevice* d = nullptr;
      if (c.device(i).pnpInfo().devInst == sim->identity() && c.ClaimDeviceByIndex(d, i)) held = d;
    }
    if (held != nullptr) held->setReportHandler(handler);
  }));
  controller->setWindowBeingBuilt(false);
  Watchdog watchdog(20s, "a pass in a nested loop releasing the device whose handler runs");
  gui.processEvents();
  ASSERT_NE(held, nullptr);
  sim->queueInput({1, 1});
  ASSERT_TRUE(runUntil([&] { return passes == 2 && !received.empty(); }));
  // The fresh object of the same device reads on.
  sim->queueInput({1, 2});
  ASSERT_TRUE(runUntil([&] { return received.back() == 2; }));
  ASSERT_TRUE(runUntil([&] { return sim->openReadChannels() == 1; }));
  controller.reset();  // its readers stop before the state their handlers use goes
}

// Holders give a device back inside each of the controller's callbacks.
enum class ReleaseIn { Unplug, Removal, Enumerate, Arrival };

std::string CallbackName(ReleaseIn where) {
  static const char* const names[] = {"Unplug", "Removal", "Enumerate", "Arrival"};
  return names[static_cast<int>(where)];
}

class ReleaseInsideCallback : public Link, public ::testing::WithParamInterface<ReleaseIn> {};

TEST_P(ReleaseInsideCallback, LeavesNothingTouchedAfterTheRelease) {
  createController();
  gui.processEvents();
  auto a = bus.plug(DeviceSpec(u"A"));
  switch (GetParam()) {
    case ReleaseIn::Arrival:
      controller->setOnArrival(PlugHandler::from([&](HidDevice& d) {
        HidDevice* claimed = nullptr;
        ASSERT_TRUE(controller->ClaimDeviceByIndex(claimed, controller->deviceCount() - 1));
        controller->ReleaseDevice(&d);
      }));
      gui.processEvents();
      EXPECT_EQ(controller->deviceCount(), 1);
      EXPECT_FALSE(controller->device(0).claimed());
      return;
    case ReleaseIn::Enumerate: {
      gui.processEvents();
      int offered = 0;
      controller->setOnEnumerate(HidDeviceController::EnumerateHandler::from([&](HidDevice& d, int index) {
        ++offered;
        HidDevice* claimed = nullptr;
        EXPECT_TRUE(controller->ClaimDeviceByIndex(claimed, index));
        controller->ReleaseDevice(&d);  // replaced by a fresh object
        return true;
      }));
      EXPECT_EQ(controller->EnumerateDevices(), 1);
      EXPECT_EQ(offered, 1);
      EXPECT_EQ(controller->deviceCount(), 1);
      EXPECT_FALSE(controller->device(0).claimed());
      return;
    }
    case ReleaseIn::Unplug:
    case ReleaseIn::Removal: break;
  }
  gui.processEvents();
  HidDevice* device = nullptr;
  ASSERT_TRUE(controller->ClaimDeviceByIndex(device, 0));
  device->setReportHandler(ReportHandler::from([](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {}));
  int removals = 0;
  const PlugHandler release = PlugHandler::from([&](HidDevice& d) { controller->ReleaseDevice(&d); });
  if (GetParam() == ReleaseIn::Unplug) {
    device->setUnplugHandler(release);
    controller->setOnRemoval(PlugHandler::from([&](HidDevice&) { ++removals; }));
  } else {
    controller->setOnRemoval(PlugHandler::from([&](HidDevice& d) {
      ++removals;
      controller->ReleaseDevice(&d);
    }));
  }
  bus.unplug(a);
  gui.processEvents();
  EXPECT_EQ(controller->deviceCount(), 0);
  // Released in its unplug handler, the object is gone before OnRemoval.
  EXPECT_EQ(removals, GetParam() == ReleaseIn::Unplug ? 0 : 1);
  EXPECT_EQ(a->openReadChannels(), 0);
  controller.reset();  // its readers stop before the state their handlers use goes
}

INSTANTIATE_TEST_SUITE_P(Callbacks, ReleaseInsideCallback,
                         ::testing::Values(ReleaseIn::Unplug, ReleaseIn::Removal, ReleaseIn::Enumerate,
                                           ReleaseIn::Arrival),
                         [](const ::testing::TestParamInfo<ReleaseIn>& info) { return CallbackName(info.param); });

// A platform whose read channels hold the GUI thread in cancel() until the
// reader has had every chance to open a channel again.
class GatedPlatform : public Platform {
 public:
  explicit GatedPlatform(Platform& inner) : inner_(inner) {}

  bool available() const override { return inner_.available(); }
  std::vector<PnpInfo> scan() override { return hidden_ ? std::vector<PnpInfo>{} : inner_.scan(); }
  void hideDevices() { hidden_ = true; }
  std::unique_ptr<DeviceHandle> open(const PnpInfo& d, OpenMode m) override { return inner_.open(d, m); }
  void setChangeHandler(std::function<void()> h) override { inner_.setChangeHandler(std::move(h)); }
  int handleGoneError() const override { return inner_.handleGoneError(); }

  std::unique_ptr<ReadChannel> openRead(const PnpInfo& device, int* error) override {
    {
      std::lock_guard lock(mutex_);
      if (cancelling_) ++opensDuringCancel_;
    }
    changed_.notify_all();
    std::unique_ptr<ReadChannel> channel = inner_.openRead(device, error);
    if (!channel) return nullptr;
    return std::make_unique<Channel>(*this, std::move(channel));
  }

  int opensDuringCancel() {
    std::lock_guard lock(mutex_);
    return opensDuringCancel_;
  }

 private:
  class Channel : public ReadChannel {
   public:
    Channel(GatedPlatform& owner, std::unique_ptr<ReadChannel> inner) : owner_(owner), inner_(std::move(inner)) {}
    ReadResult read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
      return inner_->read(buffer, length, timeoutMs);
    }
    void cancel() override {
      std::unique_lock lock(owner_.mutex_);
      owner_.cancelling_ = true;
      lock.unlock();
      inner_->cancel();
      lock.lock();
      owner_.changed_.wait_for(lock, 500ms, [&] { return owner_.opensDuringCancel_ > 0; });
      owner_.cancelling_ = false;
    }

   private:
    GatedPlatform& owner_;
    std::unique_ptr<ReadChannel> inner_;
  };

  Platform& inner_;
  bool hidden_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool cancelling_ = false;
  int opensDuringCancel_ = 0;
};

TEST(UnplugOrder, TheReaderCannotOpenAChannelOnAnUnpluggedDevice) {
  ManualGuiThread gui;
  sim::SimBus bus;
  GatedPlatform platform(bus);
  auto a = bus.plug(DeviceSpec(u"A"));
  HidDeviceController controller(platform, gui);
  gui.processEvents();
  HidDevice* device = nullptr;
  ASSERT_TRUE(controller.ClaimDeviceByIndex(device, 0));
  device->setReportHandler(ReportHandler::from([](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {}));
  ASSERT_TRUE(gui.runUntil([&] { return a->openReadChannels() == 1; }, 5s));
  // The pass finds the device gone while it stays openable (as a node
  // reused at once would be), so only the order of the unplug keeps the
  // reader off it.
  platform.hideDevices();
  bus.notifyUnrelatedChange();
  gui.processEvents();
  ASSERT_FALSE(device->pluggedIn());
  EXPECT_EQ(platform.opensDuringCancel(), 0);
  EXPECT_EQ(a->openReadChannels(), 0);
  controller.ReleaseDevice(device);
}

}  // namespace
}  // namespace vestrix::hid
