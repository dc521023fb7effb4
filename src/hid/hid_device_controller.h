#pragma once

#include "hid/gui_thread.h"
#include "hid/handler.h"
#include "hid/hid_device.h"
#include "hid/platform.h"

#include <memory>
#include <string>
#include <vector>

namespace vestrix::hid {

// Keeps the list of the HID devices present, runs a device-change pass at
// start-up and whenever the set of devices may have changed, and lends
// device objects out. GUI thread only.
class HidDeviceController {
 public:
  using EnumerateHandler = Handler<bool(HidDevice& device, int index)>;
  using NotifyHandler = Handler<void(HidDeviceController& sender)>;

  static constexpr int kDefaultDevThreadSleepTime = 100;
  static constexpr int kStartupNotification = -1;

  // Posts the start-up notification when the platform has HID services; its
  // pass runs once the GUI thread serves its queue.
  HidDeviceController(Platform& platform, GuiThread& gui);
  // Every reader stops and every device object is destroyed, claimed or not
  // (claimed ones are marked unplugged first): holders must not use them after.
  ~HidDeviceController();

  HidDeviceController(const HidDeviceController&) = delete;
  HidDeviceController& operator=(const HidDeviceController&) = delete;

  static std::string Version() { return "1.0.35"; }

  // One device-change pass.
  void DeviceChange();
  // Offers every plugged-in device to OnEnumerate; returns how many were offered.
  int EnumerateDevices();
  bool ClaimDeviceByIndex(HidDevice*& device, int index);
  void ReleaseDevice(HidDevice* device);

  // While set, setting OnDeviceChange runs no pass (the window is being built).
  void setWindowBeingBuilt(bool building) { windowBeingBuilt_ = building; }

  void setOnDeviceChange(NotifyHandler handler);
  void setOnEnumerate(EnumerateHandler handler) { onEnumerate_ = std::move(handler); }
  void setOnArrival(PlugHandler handler) { onArrival_ = std::move(handler); }
  void setOnRemoval(PlugHandler handler) { onRemoval_ = std::move(handler); }
  void setOnDeviceData(ReportHandler handler);
  void setOnDeviceDataError(ReadErrorHandler handler);
  void setOnDeviceUnplug(PlugHandler handler);
  void setDevThreadSleepTime(int milliseconds);

  const ReportHandler& onDeviceData() const { return onDeviceData_; }
  const PlugHandler& onDeviceUnplug() const { return onDeviceUnplug_; }
  int DevThreadSleepTime() const { return devThreadSleepTime_; }

  int deviceCount() const { return static_cast<int>(devices_.size()); }
  HidDevice& device(int index) const { return *devices_.at(index); }

 private:
  void onNotification(int parameter);
  static void PostNotification(GuiThread& gui, std::weak_ptr<HidDeviceController*> self, int parameter);
  void postRelease(std::uint64_t serial);
  std::vector<std::unique_ptr<HidDevice>> scan();
  HidDevice* find(std::uint64_t serial) const;
  std::vector<std::uint64_t> serials() const;
  // Calls call(device) with the device's InCallback set; the device exists.
  template <class Call>
  auto callFor(std::uint64_t serial, Call&& call);
  void fireForDevice(const PlugHandler& handler, std::uint64_t serial);
  int indexOf(const HidDevice* device) const;

  Platform& platform_;
  GuiThread& gui_;
  std::shared_ptr<HidDeviceController*> self_;  // lets posted notifications see that we are gone
  NotifyHandler onDeviceChange_;
  EnumerateHandler onEnumerate_;
  PlugHandler onArrival_;
  PlugHandler onRemoval_;
  ReportHandler onDeviceData_;
  ReadErrorHandler onDeviceDataError_;
  PlugHandler onDeviceUnplug_;
  int devThreadSleepTime_ = kDefaultDevThreadSleepTime;
  std::vector<std::unique_ptr<HidDevice>> devices_;
  bool passInProgress_ = false;
  bool missedNotification_ = false;
  bool destroying_ = false;
  bool windowBeingBuilt_ = false;
  int lastNotification_ = 0;
};

}  // namespace vestrix::hid
