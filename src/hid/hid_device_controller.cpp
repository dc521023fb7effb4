#include "hid/hid_device_controller.h"

#include "hid/controller_error.h"

#include <algorithm>

namespace vestrix::hid {

HidDeviceController::HidDeviceController(Platform& platform, GuiThread& gui)
    : platform_(platform), gui_(gui), self_(std::make_shared<HidDeviceController*>(this)) {
  if (!platform_.available()) return;
  // The platform calls from any thread: the handler reads nothing of ours.
  platform_.setChangeHandler([self = std::weak_ptr(self_), gui = &gui_] { PostNotification(*gui, self, 0); });
  PostNotification(gui_, self_, kStartupNotification);
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
  if (destroying_) return;
  if (passInProgress_) {
    // A handler of the pass runs a nested event loop: the change it brings
    // is looked at once the pass is over, not lost.
    missedNotification_ = true;
    return;
  }
  lastNotification_ = parameter;
  passInProgress_ = true;
  missedNotification_ = false;
  try {
    DeviceChange();
  } catch (...) {
    passInProgress_ = false;
    throw;
  }
  passInProgress_ = false;
  if (missedNotification_) PostNotification(gui_, self_, 0);
}

void HidDeviceController::PostNotification(GuiThread& gui, std::weak_ptr<HidDeviceController*> self, int parameter) {
  gui.post([self = std::move(self), parameter] {
    if (auto alive = self.lock()) (*alive)->onNotification(parameter);
  });
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

HidDevice* HidDeviceController::find(std::uint64_t serial) const {
  for (const std::unique_ptr<HidDevice>& device : devices_) {
    if (device->serial() == serial) return device.get();
  }
  return nullptr;
}

std::vector<std::uint64_t> HidDeviceController::serials() const {
  std::vector<std::uint64_t> list;
  list.reserve(devices_.size());
  for (const std::unique_ptr<HidDevice>& device : devices_) list.push_back(device->serial());
  return list;
}

template <class Call>
auto HidDeviceController::callFor(std::uint64_t serial, Call&& call) {
  HidDevice* device = find(serial);
  device->setInCallback(true);
  auto result = call(*device);
  // The handler may have released, and so destroyed, the device.
  if (HidDevice* still = find(serial)) still->setInCallback(false);
  return result;
}

void HidDeviceController::fireForDevice(const PlugHandler& handler, std::uint64_t serial) {
  if (!handler || find(serial) == nullptr) return;
  const PlugHandler call = handler;  // the handler may replace itself
  callFor(serial, [&](HidDevice& device) {
    call(device);
    return true;
  });
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
  // its holder) was reported when it went and is not reported again. Every
  // handler may release devices, so each is looked up again after one.
  const std::vector<std::uint64_t> known = serials();
  for (auto it = known.rbegin(); it != known.rend(); ++it) {
    HidDevice* device = find(*it);
    if (device == nullptr || !device->pluggedIn() || presentIn(found, device->pnpInfo().devInst)) continue;
    changed = true;
    device->unplug();  // its unplug handler may release it
    fireForDevice(onRemoval_, *it);
    device = find(*it);
    if (device != nullptr && !device->claimed()) devices_.erase(devices_.begin() + indexOf(device));
  }

  // Known devices: the new object is a duplicate.
  std::erase_if(found, [&](std::unique_ptr<HidDevice>& d) {
    if (!presentIn(devices_, d->pnpInfo().devInst)) return false;
    d->cutControllerLink();
    return true;
  });

  // Arrivals.
  for (std::unique_ptr<HidDevice>& d : found) {
    const std::uint64_t serial = d->serial();
    devices_.push_back(std::move(d));
    changed = true;
    fireForDevice(onArrival_, serial);
  }

  if (changed && onDeviceChange_) onDeviceChange_(*this);
}

int HidDeviceController::EnumerateDevices() {
  int count = 0;
  // The devices listed now, each offered once even if a handler releases
  // (and so replaces or drops) devices meanwhile.
  for (const std::uint64_t serial : serials()) {
    HidDevice* device = find(serial);
    if (device == nullptr || !device->pluggedIn()) continue;
    ++count;
    if (!onEnumerate_) break;
    const EnumerateHandler handler = onEnumerate_;
    const bool goOn = callFor(serial, [&](HidDevice& d) { return handler(d, indexOf(&d)); });
    device = find(serial);
    if (device != nullptr && !device->claimed()) device->closeHandles();
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
  // Released already further up the stack, or we are going: nothing to do.
  if (device == nullptr || destroying_ || device->closing()) return;
  if (device->stoppingReader()) {
    // A stop of its reader is waiting further up the stack (and runs this
    // handler): the object must outlive that wait, so release it just after.
    postRelease(device->serial());
    return;
  }
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

void HidDeviceController::postRelease(std::uint64_t serial) {
  gui_.post([self = std::weak_ptr<HidDeviceController*>(self_), serial] {
    if (auto alive = self.lock()) {
      if (HidDevice* device = (*alive)->find(serial)) (*alive)->ReleaseDevice(device);
    }
  });
}

void HidDeviceController::setOnDeviceChange(NotifyHandler handler) {
  if (handler.sameFunction(onDeviceChange_)) return;
  onDeviceChange_ = std::move(handler);
  if (!windowBeingBuilt_) DeviceChange();
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
