#include "hid/simulated/sim_bus.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace vestrix::hid::sim {

class SimDeviceHandle : public DeviceHandle {
 public:
  SimDeviceHandle(std::shared_ptr<SimDevice> device, OpenMode mode) : device_(std::move(device)), mode_(mode) {}

  std::optional<Attributes> attributes() override {
    const SimDeviceSpec& spec = device_->spec();
    if (!spec.identifiable || !device_->plugged()) return std::nullopt;
    return Attributes{spec.vendorId, spec.productId, spec.versionNumber};
  }

  std::optional<std::u16string> productString() override {
    if (!device_->plugged()) return std::nullopt;
    return device_->spec().productString;
  }

  std::optional<Caps> caps() override {
    if (!device_->plugged()) return std::nullopt;
    Caps caps;
    caps.usagePage = 0xFF00;
    caps.usage = 1;
    caps.inputReportByteLength = device_->spec().inputReportLength;
    caps.outputReportByteLength = device_->spec().outputReportLength;
    return caps;
  }

  bool write(const std::uint8_t* data, std::size_t length) override {
    if (mode_ != OpenMode::ReadWrite || length == 0) return false;
    return device_->write(data, length);
  }

 private:
  std::shared_ptr<SimDevice> device_;
  OpenMode mode_;
};

class SimReadChannel : public ReadChannel {
 public:
  explicit SimReadChannel(std::shared_ptr<SimDevice> device) : device_(std::move(device)) {
    std::lock_guard lock(device_->mutex_);
    ++device_->readChannels_;
  }

  ~SimReadChannel() override {
    std::lock_guard lock(device_->mutex_);
    --device_->readChannels_;
  }

  ReadResult read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    std::unique_lock lock(device_->mutex_);
    auto ready = [&] { return cancelled_ || !device_->plugged_ || !device_->input_.empty(); };
    // A look without waiting arms no timer (costly where timers trap to a hypervisor).
    const bool woken =
        timeoutMs <= 0 ? ready() : device_->inputReady_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    if (cancelled_) return {ReadResult::Cancelled};
    if (!device_->plugged_) return {ReadResult::Failed, 0, EIO};
    if (!woken) return {ReadResult::TimedOut};
    Report report = std::move(device_->input_.front());
    device_->input_.pop_front();
    const std::size_t n = std::min(length, report.size());
    if (n > 0) std::memcpy(buffer, report.data(), n);
    return {ReadResult::Data, n};
  }

  void cancel() override {
    {
      std::lock_guard lock(device_->mutex_);
      cancelled_ = true;
    }
    device_->inputReady_.notify_all();
  }

 private:
  std::shared_ptr<SimDevice> device_;
  bool cancelled_ = false;  // guarded by the device's mutex
};

class SimDeviceHold : public DeviceHold {
 public:
  explicit SimDeviceHold(std::shared_ptr<SimDevice> device) : device_(std::move(device)) {}
  ~SimDeviceHold() override {
    std::lock_guard lock(device_->mutex_);
    device_->holder_.clear();
  }

 private:
  std::shared_ptr<SimDevice> device_;
};

std::shared_ptr<SimDevice> SimBus::plug(SimDeviceSpec spec, std::optional<std::uint32_t> identity) {
  std::shared_ptr<SimDevice> device;
  {
    std::lock_guard lock(mutex_);
    if (spec.path.empty()) spec.path = "sim:hid" + std::to_string(nextPath_++);
    device = std::make_shared<SimDevice>(std::move(spec), identity.value_or(nextIdentity_));
    nextIdentity_ = std::max(nextIdentity_, device->identity()) + 1;
    devices_.push_back(device);
  }
  notifyChange();
  return device;
}

void SimBus::plugShared(std::shared_ptr<SimDevice> device) {
  {
    std::lock_guard lock(mutex_);
    devices_.push_back(std::move(device));
  }
  notifyChange();
}

void SimBus::unplug(const std::shared_ptr<SimDevice>& device) {
  {
    std::lock_guard lock(mutex_);
    std::erase(devices_, device);
  }
  device->setUnplugged();
  notifyChange();
}

void SimBus::notifyUnrelatedChange() { notifyChange(); }

std::vector<std::shared_ptr<SimDevice>> SimBus::devices() const {
  std::lock_guard lock(mutex_);
  return devices_;
}

void SimBus::setChangeHandler(std::function<void()> handler) { changes_.set(std::move(handler)); }

std::vector<PnpInfo> SimBus::scan() {
  std::lock_guard lock(mutex_);
  std::vector<PnpInfo> found;
  for (const auto& device : devices_) found.push_back({device->identity(), device->spec().path});
  return found;
}

std::shared_ptr<SimDevice> SimBus::find(const PnpInfo& info) const {
  std::lock_guard lock(mutex_);
  for (const auto& device : devices_) {
    if (device->identity() == info.devInst && device->spec().path == info.devicePath) return device;
  }
  return nullptr;
}

std::unique_ptr<DeviceHandle> SimBus::open(const PnpInfo& info, OpenMode mode) {
  std::shared_ptr<SimDevice> device = find(info);
  if (!device || !device->spec().opens) return nullptr;
  if (mode == OpenMode::ReadWrite && !device->spec().readWrite) return nullptr;
  return std::make_unique<SimDeviceHandle>(std::move(device), mode);
}

HoldResult SimBus::hold(const PnpInfo& info) {
  std::shared_ptr<SimDevice> device = find(info);
  if (!device) return Platform::hold(info);
  std::lock_guard lock(device->mutex_);
  if (!device->holder_.empty()) return {nullptr, true, device->holder_};
  device->holder_ = holderName_;
  return {std::make_unique<SimDeviceHold>(device), false, {}};
}

std::unique_ptr<ReadChannel> SimBus::openRead(const PnpInfo& info, int* error) {
  std::shared_ptr<SimDevice> device = find(info);
  if (!device) {
    *error = ENODEV;
    return nullptr;
  }
  if (!device->spec().opens || !device->spec().readWrite) {
    *error = EACCES;
    return nullptr;
  }
  return std::make_unique<SimReadChannel>(std::move(device));
}

}  // namespace vestrix::hid::sim
