#pragma once

#include "hid/change_notifier.h"
#include "hid/platform.h"
#include "hid/simulated/sim_device.h"

#include <cerrno>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace vestrix::hid::sim {

// An in-process HID bus: devices are plugged and unplugged by tests and the
// demo, and the device link sees them exactly as real ones.
class SimBus : public Platform {
 public:
  explicit SimBus(bool available = true) : available_(available) {}

  // Plugs a device in; identity is the per-plug identity (a fresh one when
  // not given). Posts a device-change notification.
  std::shared_ptr<SimDevice> plug(SimDeviceSpec spec, std::optional<std::uint32_t> identity = {});
  // Plugs in a device of another bus as well: a second program on the same
  // PC, which sees the same device (and its hold).
  void plugShared(std::shared_ptr<SimDevice> device);
  // Unplugs it and posts a device-change notification.
  void unplug(const std::shared_ptr<SimDevice>& device);
  // A change of the device tree that concerns no HID device.
  void notifyUnrelatedChange();

  std::vector<std::shared_ptr<SimDevice>> devices() const;

  bool available() const override { return available_; }
  std::vector<PnpInfo> scan() override;
  std::unique_ptr<DeviceHandle> open(const PnpInfo& device, OpenMode mode) override;
  std::unique_ptr<ReadChannel> openRead(const PnpInfo& device, int* error) override;
  // Held in the device: every bus it is plugged into sees it.
  HoldResult hold(const PnpInfo& device) override;
  // The name a hold of this bus is known by (a program).
  void setHolderName(std::string name) { holderName_ = std::move(name); }
  void setChangeHandler(std::function<void()> handler) override;
  int handleGoneError() const override { return EBADF; }

 private:
  std::shared_ptr<SimDevice> find(const PnpInfo& device) const;
  void notifyChange() { changes_.notify(); }

  const bool available_;
  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<SimDevice>> devices_;
  ChangeNotifier changes_;
  std::string holderName_ = "a program";
  std::uint32_t nextIdentity_ = 1;
  int nextPath_ = 0;
};

}  // namespace vestrix::hid::sim
