#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace vestrix::hid::linux_hid {

// Watches hidraw add/remove events on the GUI thread and calls the handler
// once per burst of events. Uses the events of udevd where it runs (they
// come after the rules have set the node's permissions) and the kernel's own
// events where it does not (containers, small VMs).
class UdevMonitor : public QObject {
  Q_OBJECT

 public:
  explicit UdevMonitor(std::function<void()> onChange);
  ~UdevMonitor() override;

  bool active() const { return monitor_ != nullptr; }
  const char* source() const { return source_; }

 private:
  void drain();

  std::function<void()> onChange_;
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
  const char* source_ = "";
};

}  // namespace vestrix::hid::linux_hid
