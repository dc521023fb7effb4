#include "hid/hid_device_controller.h"

#include "hid/controller_error.h"

#include <algorithm>

namespace vestrix::hid {

namespace {

// Sets a device's InCallback flag for the duration of a handler call.
class InCallback {
 public:
  explicit InCallback(HidDevice& device) : device_(device) { device_.setInCallback(true); }
  ~InCallback() { device_.setInCallback(false); }

 private:
  HidDevice& device_;
};

}  // namespace

HidDeviceController::HidDeviceController(Platform& platform, GuiThread& gui)
    : platform_(platform), gui_(gui), self_(std::make_shared<HidDeviceController*>(this)) {
  if (!platform_.available()) return;
  std::weak_ptr<HidDeviceController*> self = self_;
  GuiThread* guiThread = &gui_;
  platform_.setChangeHandler([self, guiThread] {
    guiThread->post([self] {
      if (auto alive = self.lock()) (*alive)->onNotification(0);
    });
  });
  gui_.post([self] {
    if (auto alive = self.lock()) (*alive)->onNotification(kStartupNotification);
  });
}

HidDeviceController::~HidDeviceController() {
  destroying_ = true;
  onDeviceChange_ = {};
  onDeviceUnplug_ = {};
  onEnumerate_ = {};
  platform_.setChangeHandler({});
  self_.reset();
  for (auto& device : devices_) {
    device->cutControllerLink();
    if (device->claimed() && device->pluggedIn()) device->unplug();
  }
  devices_.clear();  // stops every reader
}

void HidDeviceController::onNotification(int parameter) {
  if (destroying_ || passInProgress_) return;
  lastNotification_ = parameter;
  passInProgress_ = true;
  try {
    DeviceChange();
  } catch (...) {
    passInProgress_ = false;
    throw;
  }
  passInProgress_ = false;
}

std::vector<std::unique_ptr<HidDevice>> HidDeviceController::scan() {
  std::vector<std::unique_ptr<HidDevice>> found;
  if (!platform_.available()) return found;
  for (PnpInfo& info : platform_.scan()) {
    try {
      found.push_back(std::make_unique<HidDevice>(std::move(info), this, platform_, gui_));
    } catch (const ControllerError&) {
      // Cannot be opened or identified now: left out until the next pass.
    }
  }
  return found;
}

void HidDeviceController::fireForDevice(const PlugHandler& handler, HidDevice& device) {
  if (!handler) return;
  InCallback guard(device);
  handler(device);
}

void HidDeviceController::DeviceChange() {
  bool changed = lastNotification_ == kStartupNotification;
  std::vector<std::unique_ptr<HidDevice>> found = scan();
  auto presentIn = [](const std::vector<std::unique_ptr<HidDevice>>& list, std::uint32_t devInst) {
    return std::any_of(list.begin(), list.end(), [&](const std::unique_ptr<HidDevice>& d) {
      return d->pnpInfo().devInst == devInst && d->pluggedIn();
    });
  };

  // Vanished devices. One that is already unplugged (claimed, waiting for
  // its holder) was reported when it went and is not reported again.
  for (int i = static_cast<int>(devices_.size()) - 1; i >= 0; --i) {
    HidDevice& device = *devices_[i];
    if (!device.pluggedIn() || presentIn(found, device.pnpInfo().devInst)) continue;
    device.unplug();
    fireForDevice(onRemoval_, device);
    if (!device.claimed()) {
      const int index = indexOf(&device);
      if (index >= 0) devices_.erase(devices_.begin() + index);
    }
    changed = true;
  }

  // Known devices: the new object is a duplicate.
  std::erase_if(found, [&](std::unique_ptr<HidDevice>& d) {
    if (!presentIn(devices_, d->pnpInfo().devInst)) return false;
    d->cutControllerLink();
    return true;
  });

  // Arrivals.
  for (std::unique_ptr<HidDevice>& d : found) {
    HidDevice& device = *d;
    devices_.push_back(std::move(d));
    changed = true;
    fireForDevice(onArrival_, device);
  }

  if (changed && onDeviceChange_) onDeviceChange_(*this);
}

int HidDeviceController::EnumerateDevices() {
  int count = 0;
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    HidDevice& device = *devices_[i];
    if (!device.pluggedIn()) continue;
    ++count;
    if (!onEnumerate_) break;
    bool goOn;
    {
      InCallback guard(device);
      goOn = onEnumerate_(device, static_cast<int>(i));
    }
    if (!device.claimed()) device.closeHandles();
    if (!goOn) break;
  }
  return count;
}

bool HidDeviceController::ClaimDeviceByIndex(HidDevice*& device, int index) {
  device = nullptr;
  if (index < 0 || index >= static_cast<int>(devices_.size())) return false;
  HidDevice& candidate = *devices_[index];
  if (candidate.claimed()) return false;
  device = &candidate;
  candidate.setClaimed(true);
  candidate.tryStartReader();
  return true;
}

int HidDeviceController::indexOf(const HidDevice* device) const {
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    if (devices_[i].get() == device) return static_cast<int>(i);
  }
  return -1;
}

void HidDeviceController::ReleaseDevice(HidDevice* device) {
  if (device == nullptr) return;
  ReportHandler reportHandler = device->reportHandler();
  PlugHandler unplugHandler = device->unplugHandler();
  const int sleepTime = device->ReaderSleepTime();
  device->close();
  const int index = indexOf(device);
  if (index < 0) return;  // not ours (any more)
  if (device->pluggedIn()) {
    try {
      auto fresh = std::make_unique<HidDevice>(device->pnpInfo(), this, platform_, gui_);
      fresh->setReportHandler(std::move(reportHandler));
      fresh->setUnplugHandler(std::move(unplugHandler));
      fresh->setReaderSleepTime(sleepTime);
      devices_[index] = std::move(fresh);  // destroys the released object
      return;
    } catch (const ControllerError&) {
      // Gone in the meantime: drop it as if unplugged; the next pass sees the rest.
    }
  }
  devices_.erase(devices_.begin() + index);
}

void HidDeviceController::setOnDeviceChange(NotifyHandler handler) {
  if (handler.sameFunction(onDeviceChange_)) return;
  onDeviceChange_ = std::move(handler);
  if (!loading_) DeviceChange();
}

void HidDeviceController::setOnDeviceData(ReportHandler handler) {
  if (handler.sameFunction(onDeviceData_)) return;
  for (auto& device : devices_) {
    if (device->reportHandler().sameFunction(onDeviceData_)) device->setReportHandler(handler);
  }
  onDeviceData_ = std::move(handler);
}

void HidDeviceController::setOnDeviceDataError(ReadErrorHandler handler) {
  if (handler.sameFunction(onDeviceDataError_)) return;
  for (auto& device : devices_) {
    if (device->readErrorHandler().sameFunction(onDeviceDataError_)) device->setReadErrorHandler(handler);
  }
  onDeviceDataError_ = std::move(handler);
}

void HidDeviceController::setOnDeviceUnplug(PlugHandler handler) {
  if (handler.sameFunction(onDeviceUnplug_)) return;
  for (auto& device : devices_) {
    if (device->unplugHandler().sameFunction(onDeviceUnplug_)) device->setUnplugHandler(handler);
  }
  onDeviceUnplug_ = std::move(handler);
}

void HidDeviceController::setDevThreadSleepTime(int milliseconds) {
  if (milliseconds == devThreadSleepTime_) return;
  for (auto& device : devices_) {
    if (device->ReaderSleepTime() == devThreadSleepTime_) device->setReaderSleepTime(milliseconds);
  }
  devThreadSleepTime_ = milliseconds;
}

}  // namespace vestrix::hid
