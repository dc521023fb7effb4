#pragma once

#include "hid/change_notifier.h"
#include "hid/linux/sysfs_hidraw.h"
#include "hid/platform.h"

#include <cerrno>
#include <functional>
#include <memory>
#include <string>

namespace vestrix::hid::linux_hid {

class UdevMonitor;

// HID services of Linux: hidraw interfaces found and identified through
// sysfs (so a node without read/write access is still identified), reports
// written and read on /dev/hidrawN, changes announced by a udev monitor.
class LinuxPlatform : public Platform {
 public:
  struct Options {
    std::string sysRoot = "/sys";
    std::string devRoot = "/dev";
    bool watchChanges = true;        // a udev monitor watched on the GUI thread
    std::string procRoot = "/proc";  // who holds a node, from its locks
  };

  LinuxPlatform();
  explicit LinuxPlatform(Options options);
  ~LinuxPlatform() override;

  bool available() const override { return true; }
  std::vector<PnpInfo> scan() override;
  std::unique_ptr<DeviceHandle> open(const PnpInfo& device, OpenMode mode) override;
  std::unique_ptr<ReadChannel> openRead(const PnpInfo& device, int* error) override;
  // An flock(2) on the node, which every program of this system takes
  // before it uses the instrument.
  HoldResult hold(const PnpInfo& device) override;
  void setChangeHandler(std::function<void()> handler) override;
  int handleGoneError() const override { return EBADF; }

  // The hidraw node a path stands for while it is still the same device.
  std::optional<HidrawNode> nodeOf(const PnpInfo& device) const;

 protected:
  // Opens a device node like open(2); tests step in here to change the
  // device tree between the look-up and the open.
  virtual int openNode(const std::string& path, int flags);

 private:
  // Whether the opened node still belongs to the device; closes fd if not.
  bool stillSameDevice(const PnpInfo& device, int fd) const;

  Options options_;
  SysfsHidraw sysfs_;
  ChangeNotifier changes_;
  std::unique_ptr<UdevMonitor> monitor_;
};

// UTF-8 as read from sysfs, to UTF-16; invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& text);

}  // namespace vestrix::hid::linux_hid
