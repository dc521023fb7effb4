#include "device/device_discovery.h"

#include "device/udev_rule.h"

#include <QCoreApplication>

namespace vestrix::device {

DeviceDiscovery::DeviceDiscovery(hid::HidDeviceController& controller, DiscoveryHost& host)
    : controller_(controller), host_(host) {}

QString DeviceDiscovery::LineText(hid::HidDevice& device) {
  const QString product = QString::fromStdU16String(device.ProductName());
  if (!product.isEmpty()) return product;
  return QString::asprintf("Device VID=%04X PID=%04X", device.VendorID(), device.ProductID());
}

bool DeviceDiscovery::Enumerate(hid::HidDevice& device, int index) {
  DeviceLine line{LineText(device), nullptr};
  hid::HidDevice* claimed = nullptr;
  controller_.ClaimDeviceByIndex(claimed, index);
  line.device = claimed;
  lines_.push_back(line);
  host_.deviceListChanged(lines_);
  host_.setStatusText(0, host_.lookupMessage(QStringLiteral("IDS_4")));
  host_.setStatusText(1, host_.lookupMessage(QStringLiteral("IDS_2")));
  host_.setConnected(false);
  return true;
}

bool DeviceDiscovery::isCandidate(const DeviceLine& line) const {
  if (line.text != kInstrumentProduct) return false;
  return wanted_.empty() || (line.device != nullptr && line.device->pnpInfo().devicePath == wanted_);
}

void DeviceDiscovery::DeviceChange() {
  for (const DeviceLine& line : lines_) {
    if (line.device != nullptr) controller_.ReleaseDevice(line.device);
  }
  activeDevice_ = nullptr;
  host_.setConnected(false);
  host_.setStatusText(1, host_.lookupMessage(QStringLiteral("IDS_2")));
  lines_.clear();
  host_.deviceListChanged(lines_);

  controller_.EnumerateDevices();

  for (const DeviceLine& line : lines_) {
    if (!isCandidate(line)) continue;
    if (activeDevice_ != nullptr) activeDevice_->setReportHandler({});
    activeDevice_ = line.device;
    if (activeDevice_ == nullptr) {
      // A line without its object (the claim failed): nothing to talk to.
      host_.setStatusText(1, host_.lookupMessage(QStringLiteral("IDS_2")));
      host_.setConnected(false);
      continue;
    }
    if (activeDevice_->OpenedForReadWrite()) {
      activeDevice_->setReportHandler(host_.instrumentReportHandler());
      host_.setStatusText(1, host_.lookupMessage(QStringLiteral("IDS_1")));
      host_.setConnected(true);
    } else {
      activeDevice_->setReportHandler({});
      host_.setStatusText(1, host_.lookupMessage(QStringLiteral("IDS_2")));
      host_.setConnected(false);
      // Beyond the connection state: say why the instrument is not used.
      const QString node = QString::fromStdString(activeDevice_->pnpInfo().devicePath);
      const QString rule = UdevRulePath(QCoreApplication::applicationDirPath());
      host_.setStatusText(0, host_.lookupMessage(QStringLiteral("IDS_ACCESS")).arg(node, rule), {node, rule});
    }
  }
}

}  // namespace vestrix::device
