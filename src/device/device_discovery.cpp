#include "device/device_discovery.h"

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
  refusal_.reset();
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
    use(*activeDevice_);
  }
}

void DeviceDiscovery::use(hid::HidDevice& device) {
  refusal_.reset();
  std::string holder;
  if (device.OpenedForReadWrite() && device.holdExclusive(&holder)) {
    device.setReportHandler(host_.instrumentReportHandler());
    host_.setStatusText(1, host_.lookupMessage(QStringLiteral("IDS_1")));
    host_.setConnected(true);
    return;
  }
  device.setReportHandler({});
  host_.setStatusText(1, host_.lookupMessage(QStringLiteral("IDS_2")));
  host_.setConnected(false);
  refusal_ = Refusal{device.OpenedForReadWrite() ? Refusal::Kind::InUse : Refusal::Kind::NoAccess,
                     device.pnpInfo().devicePath, holder};
  host_.instrumentRefused(*refusal_);
}

bool DeviceDiscovery::retryHeldInstrument() {
  if (activeDevice_ == nullptr || !refusal_ || refusal_->kind != Refusal::Kind::InUse) return false;
  // Said again only when something changed: the same refusal stays quiet.
  const Refusal before = *refusal_;
  std::string holder;
  if (!activeDevice_->holdExclusive(&holder)) {
    refusal_->holder = holder;
    if (holder != before.holder) host_.instrumentRefused(*refusal_);
    return false;
  }
  use(*activeDevice_);
  return true;
}

}  // namespace vestrix::device
