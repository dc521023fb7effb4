// A device that refuses something for a moment and then works again: the
// link must not stay broken until the device is plugged in again.
#include "hid/hid_device_controller.h"
#include "hid/manual_gui_thread.h"
#include "hid/simulated/sim_bus.h"

#include "support/hid_fixture.h"

#include <gtest/gtest.h>

namespace vestrix::hid {
namespace {

// The simulated bus, with read-write opening and the capabilities refused
// while the test says so.
class Refusals : public Platform {
 public:
  explicit Refusals(Platform& inner) : inner_(inner) {}
  bool refuseReadWrite = false;
  bool refuseCaps = false;

  bool available() const override { return true; }
  std::vector<PnpInfo> scan() override { return inner_.scan(); }
  std::unique_ptr<DeviceHandle> open(const PnpInfo& device, OpenMode mode) override {
    if (mode == OpenMode::ReadWrite && refuseReadWrite) return nullptr;
    auto handle = inner_.open(device, mode);
    return handle ? std::make_unique<Handle>(std::move(handle), *this) : nullptr;
  }
  std::unique_ptr<ReadChannel> openRead(const PnpInfo& device, int* error) override {
    return inner_.openRead(device, error);
  }
  int handleGoneError() const override { return inner_.handleGoneError(); }
  void setChangeHandler(std::function<void()> handler) override { inner_.setChangeHandler(std::move(handler)); }

 private:
  class Handle : public DeviceHandle {
   public:
    Handle(std::unique_ptr<DeviceHandle> inner, Refusals& owner) : inner_(std::move(inner)), owner_(owner) {}
    std::optional<Attributes> attributes() override { return inner_->attributes(); }
    std::optional<std::u16string> productString() override { return inner_->productString(); }
    std::optional<Caps> caps() override { return owner_.refuseCaps ? std::nullopt : inner_->caps(); }
    bool write(const std::uint8_t* data, std::size_t length) override { return inner_->write(data, length); }

   private:
    std::unique_ptr<DeviceHandle> inner_;
    Refusals& owner_;
  };
  Platform& inner_;
};

class PassingRefusal : public ::testing::Test {
 protected:
  HidDevice& claim() {
    bus.plug(testing::DeviceSpec(u"VESTRIX"));
    controller = std::make_unique<HidDeviceController>(refusals, gui);
    gui.processEvents();
    HidDevice* device = nullptr;
    EXPECT_TRUE(controller->ClaimDeviceByIndex(device, 0));
    return *device;
  }
  static ReportHandler ignore() {
    return ReportHandler::from([](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {});
  }

  ManualGuiThread gui;
  sim::SimBus bus;
  Refusals refusals{bus};
  std::unique_ptr<HidDeviceController> controller;
  const std::uint8_t report[2] = {0, 1};
};

TEST_F(PassingRefusal, AWriteAfterARefusedOpeningOpensAgain) {
  HidDevice& device = claim();
  ASSERT_TRUE(device.OpenedForReadWrite());
  refusals.refuseReadWrite = true;
  EXPECT_FALSE(device.WriteReport(report, sizeof report));  // opened for identification only
  EXPECT_FALSE(device.OpenedForReadWrite());
  refusals.refuseReadWrite = false;
  EXPECT_TRUE(device.WriteReport(report, sizeof report));
  EXPECT_TRUE(device.OpenedForReadWrite());
}

TEST_F(PassingRefusal, TheReaderStartsOnceAWriteGetsThrough) {
  HidDevice& device = claim();
  refusals.refuseCaps = true;
  device.setReportHandler(ignore());
  EXPECT_FALSE(device.hasReader());  // no report length, no reader
  refusals.refuseCaps = false;
  ASSERT_TRUE(device.WriteReport(report, sizeof report));
  EXPECT_TRUE(device.hasReader());
  device.setReportHandler({});
}

}  // namespace
}  // namespace vestrix::hid
