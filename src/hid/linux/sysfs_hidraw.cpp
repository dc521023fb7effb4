#include "hid/linux/sysfs_hidraw.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vestrix::hid::linux_hid {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return content;
}

std::string TrimNewline(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

std::optional<std::string> UeventValue(const fs::path& dir, const std::string& key) {
  const std::optional<std::string> uevent = ReadFile(dir / "uevent");
  if (!uevent) return std::nullopt;
  return SysfsHidraw::ParseUeventValue(*uevent, key);
}

}  // namespace

std::optional<std::string> SysfsHidraw::ParseUeventValue(const std::string& uevent, const std::string& key) {
  std::istringstream lines(uevent);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return std::nullopt;
}

bool SysfsHidraw::ParseHidName(const std::string& name, HidrawNode& node) {
  // Exactly as the kernel writes it (%04X:%04X:%04X.%04X): four hexadecimal
  // digits each, the instance four to eight; no sign, blank or "0x".
  auto hex = [&name](std::size_t from, std::size_t count, std::uint32_t& out) {
    out = 0;
    for (std::size_t k = from; k < from + count; ++k) {
      const char c = name[k];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return false;
      out = out * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  };
  if (name.size() < 19 || name.size() > 23 || name[4] != ':' || name[9] != ':' || name[14] != '.') return false;
  std::uint32_t bus, vid, pid, instance;
  if (!hex(0, 4, bus) || !hex(5, 4, vid) || !hex(10, 4, pid) || !hex(15, name.size() - 15, instance)) return false;
  node.bus = static_cast<std::uint16_t>(bus);
  node.vendorId = static_cast<std::uint16_t>(vid);
  node.productId = static_cast<std::uint16_t>(pid);
  node.instance = instance;
  return true;
}

std::optional<HidrawNode> SysfsHidraw::find(const std::string& name) const {
  std::error_code ec;
  const fs::path classEntry = fs::path(root_) / "class" / "hidraw" / name;
  const fs::path node = fs::canonical(classEntry, ec);
  if (ec) return std::nullopt;
  // .../<hid device>/hidraw/hidrawN
  const fs::path hidDir = node.parent_path().parent_path();
  HidrawNode result;
  result.name = name;
  result.hidDir = hidDir.string();
  if (!ParseHidName(hidDir.filename().string(), result)) return std::nullopt;
  return result;
}

std::vector<HidrawNode> SysfsHidraw::enumerate() const {
  std::vector<HidrawNode> nodes;
  // An error part-way (a device that vanishes while we list) ends the list
  // with what was found so far; the next change brings another scan.
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(root_) / "class" / "hidraw", ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    if (std::optional<HidrawNode> node = find(it->path().filename().string())) nodes.push_back(*node);
  }
  // hidraw2 before hidraw10: the order the kernel created them in.
  std::sort(nodes.begin(), nodes.end(), [](const HidrawNode& a, const HidrawNode& b) {
    return a.name.size() != b.name.size() ? a.name.size() < b.name.size() : a.name < b.name;
  });
  return nodes;
}

std::optional<std::string> SysfsHidraw::usbDeviceDir(const HidrawNode& node) const {
  constexpr std::uint16_t kBusUsb = 3;
  if (node.bus != kBusUsb) return std::nullopt;
  // A virtual (uhid) or Bluetooth device reports bus USB too but has no USB
  // device above it.
  const fs::path devices = fs::path(root_) / "devices";
  for (fs::path dir = fs::path(node.hidDir).parent_path(); dir.has_relative_path() && dir != devices;
       dir = dir.parent_path()) {
    std::error_code ec;
    if (fs::exists(dir / "idVendor", ec) && fs::exists(dir / "idProduct", ec)) return dir.string();
    if (dir == dir.parent_path()) break;
  }
  return std::nullopt;
}

std::optional<std::string> SysfsHidraw::productString(const HidrawNode& node) const {
  if (std::optional<std::string> usb = usbDeviceDir(node)) {
    if (std::optional<std::string> product = ReadFile(fs::path(*usb) / "product")) return TrimNewline(*product);
    return std::nullopt;  // a USB device without a readable product string
  }
  return UeventValue(node.hidDir, "HID_NAME");
}

std::uint16_t SysfsHidraw::versionNumber(const HidrawNode& node) const {
  if (std::optional<std::string> usb = usbDeviceDir(node)) {
    if (std::optional<std::string> bcd = ReadFile(fs::path(*usb) / "bcdDevice")) {
      return static_cast<std::uint16_t>(std::strtoul(bcd->c_str(), nullptr, 16));
    }
  }
  return 0;
}

std::optional<std::vector<std::uint8_t>> SysfsHidraw::reportDescriptor(const HidrawNode& node) const {
  const std::optional<std::string> raw = ReadFile(fs::path(node.hidDir) / "report_descriptor");
  if (!raw) return std::nullopt;
  return std::vector<std::uint8_t>(raw->begin(), raw->end());
}

}  // namespace vestrix::hid::linux_hid
