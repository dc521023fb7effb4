#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vestrix::hid::linux_hid {

// A hidraw interface as sysfs describes it.
struct HidrawNode {
  std::string name;            // "hidraw3"
  std::string hidDir;          // the HID device's sysfs directory, ".../0003:1209:0001.000A"
  std::uint32_t instance = 0;  // the ".000A" of that name: new for every plug
  std::uint16_t bus = 0;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
};

// Reads hidraw interfaces from a sysfs tree; the root is a parameter so that
// fixture trees can stand in for /sys.
class SysfsHidraw {
 public:
  explicit SysfsHidraw(std::string sysRoot = "/sys") : root_(std::move(sysRoot)) {}

  std::vector<HidrawNode> enumerate() const;
  std::optional<HidrawNode> find(const std::string& name) const;

  // The product string: the USB device's "product" attribute where the HID
  // device sits on USB, otherwise the HID_NAME of its uevent.
  std::optional<std::string> productString(const HidrawNode& node) const;
  // The USB device's bcdDevice, or 0 off USB.
  std::uint16_t versionNumber(const HidrawNode& node) const;
  std::optional<std::vector<std::uint8_t>> reportDescriptor(const HidrawNode& node) const;

  // Parses "BBBB:VVVV:PPPP.NNNN".
  static bool ParseHidName(const std::string& name, HidrawNode& node);
  // The value of KEY=value in a uevent file's lines, if the key is there.
  static std::optional<std::string> ParseUeventValue(const std::string& uevent, const std::string& key);

 private:
  std::optional<std::string> usbDeviceDir(const HidrawNode& node) const;

  std::string root_;
};

}  // namespace vestrix::hid::linux_hid
