#pragma once

#include "hid/hid_device.h"
#include "hid/hid_device_controller.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace vestrix::device {

// The product string that identifies the instrument, compared exactly.
inline const QString kInstrumentProduct = QStringLiteral("VESTRIX");

// A line of the device list: its text and the claimed device, if any.
struct DeviceLine {
  QString text;
  hid::HidDevice* device = nullptr;
};

// Why a found instrument is not used.
struct Refusal {
  enum class Kind {
    NoAccess,  // not open for reading and writing
    InUse,     // another program holds it
  };
  Kind kind = Kind::NoAccess;
  std::string node;    // its device path
  std::string holder;  // with InUse: the program, where the system says so ("name (pid N)")
};

// What discovery changes in the window.
class DiscoveryHost {
 public:
  virtual ~DiscoveryHost() = default;
  virtual QString lookupMessage(const QString& identifier) const = 0;
  // paths: the parts of the text that may be shortened to fit.
  virtual void setStatusText(int panel, const QString& text, const QStringList& paths = {}) = 0;
  // Connected: DeviceConnected 255 and the measurement timer on; else 0 and off.
  virtual void setConnected(bool connected) = 0;
  // The program's report handler for the instrument.
  virtual hid::ReportHandler instrumentReportHandler() = 0;
  virtual void deviceListChanged(const std::vector<DeviceLine>& lines) = 0;
  // The instrument was found but cannot be used (beyond the connection
  // state, which says Offline).
  virtual void instrumentRefused(const Refusal& refusal) = 0;
};

// Lists and claims every HID device and picks the instrument among them
// whenever the set of devices changes.
class DeviceDiscovery {
 public:
  DeviceDiscovery(hid::HidDeviceController& controller, DiscoveryHost& host);

  // The controller's OnEnumerate: lists and claims the device; goes on.
  bool Enumerate(hid::HidDevice& device, int index);
  // The controller's OnDeviceChange: rebuilds the list and picks the instrument.
  void DeviceChange();

  // Only the instrument at this device path is picked (several on one PC);
  // empty: any.
  void setWanted(std::string devicePath) { wanted_ = std::move(devicePath); }
  // Whether a line is one the instrument may be picked from.
  bool isCandidate(const DeviceLine& line) const;

  // The instrument picked but held by another program: asks again (that
  // program may have ended; nothing tells). True when it is used now.
  bool retryHeldInstrument();
  // Why the instrument picked is not used, if it is not.
  const std::optional<Refusal>& refusal() const { return refusal_; }

  hid::HidDevice* activeDevice() const { return activeDevice_; }
  const std::vector<DeviceLine>& lines() const { return lines_; }

  // The text of a device's line: its product string, or its ids.
  static QString LineText(hid::HidDevice& device);

 private:
  hid::HidDeviceController& controller_;
  DiscoveryHost& host_;
  std::vector<DeviceLine> lines_;
  // Connects the instrument picked, or says why it cannot be used.
  void use(hid::HidDevice& device);

  hid::HidDevice* activeDevice_ = nullptr;
  std::optional<Refusal> refusal_;
  std::string wanted_;
};

}  // namespace vestrix::device
