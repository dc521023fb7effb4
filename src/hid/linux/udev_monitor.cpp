#include "hid/linux/udev_monitor.h"

#include <QSocketNotifier>

#include <libudev.h>
#include <unistd.h>

namespace vestrix::hid::linux_hid {

namespace {

bool UdevdRuns() { return ::access("/run/udev/control", F_OK) == 0; }

}  // namespace

UdevMonitor::UdevMonitor(std::function<void()> onChange) : onChange_(std::move(onChange)) {
  udev_ = udev_new();
  if (udev_ == nullptr) return;
  source_ = UdevdRuns() ? "udev" : "kernel";
  monitor_ = udev_monitor_new_from_netlink(udev_, source_);
  if (monitor_ == nullptr || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0) {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    monitor_ = nullptr;
    return;
  }
  notifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &UdevMonitor::drain);
}

UdevMonitor::~UdevMonitor() {
  delete notifier_;
  if (monitor_ != nullptr) udev_monitor_unref(monitor_);
  if (udev_ != nullptr) udev_unref(udev_);
}

void UdevMonitor::drain() {
  int events = 0;
  while (udev_device* device = udev_monitor_receive_device(monitor_)) {
    udev_device_unref(device);
    ++events;
  }
  if (events > 0 && onChange_) onChange_();
}

}  // namespace vestrix::hid::linux_hid
