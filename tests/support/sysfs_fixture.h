#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vestrix::testing {

// A throw-away sysfs and /dev tree laid out as the kernel lays out hidraw
// devices: /class/hidraw/hidrawN links to the node below its HID device.
class SysfsFixture {
 public:
  SysfsFixture() {
    char pattern[] = "/tmp/vestrix-sysfs-XXXXXX";
    root_ = ::mkdtemp(pattern);
    std::filesystem::create_directories(sysRoot() + "/class/hidraw");
    std::filesystem::create_directories(devRoot());
  }
  ~SysfsFixture() { std::filesystem::remove_all(root_); }

  std::string sysRoot() const { return root_ + "/sys"; }
  std::string devRoot() const { return root_ + "/dev"; }

  // A HID device on USB: .../usb1/1-1 (the USB device) /1-1:1.0 (interface) /<hid>.
  void addUsb(const std::string& hidraw, const std::string& hidName, const char* product,
              const std::vector<std::uint8_t>& descriptor, const char* bcdDevice = "0110") {
    const std::string usb = sysRoot() + "/devices/pci0000:00/0000:00:14.0/usb1/1-" + hidraw;
    write(usb + "/idVendor", "1209\n");
    write(usb + "/idProduct", "0001\n");
    write(usb + "/bcdDevice", std::string(bcdDevice) + "\n");
    if (product != nullptr) write(usb + "/product", std::string(product) + "\n");
    addHid(usb + "/1-1:1.0/" + hidName, hidraw, "USB NAME FROM UEVENT", descriptor);
  }

  // A HID device without a USB parent (uhid, Bluetooth).
  void addVirtual(const std::string& hidraw, const std::string& hidName, const std::string& uevName,
                  const std::vector<std::uint8_t>& descriptor) {
    addHid(sysRoot() + "/devices/virtual/misc/uhid/" + hidName, hidraw, uevName, descriptor);
  }

  // The node in /dev; without it the device cannot be opened for reports.
  void addDevNode(const std::string& hidraw) { write(devRoot() + "/" + hidraw, ""); }

  void remove(const std::string& hidraw) { std::filesystem::remove(sysRoot() + "/class/hidraw/" + hidraw); }

 private:
  void addHid(const std::string& hidDir, const std::string& hidraw, const std::string& uevName,
              const std::vector<std::uint8_t>& descriptor) {
    write(hidDir + "/uevent", "DRIVER=hid-generic\nHID_ID=0003:00001209:00000001\nHID_NAME=" + uevName +
                                  "\nHID_PHYS=usb-0000:00:14.0-1/input0\n");
    write(hidDir + "/report_descriptor", std::string(descriptor.begin(), descriptor.end()));
    std::filesystem::create_directories(hidDir + "/hidraw/" + hidraw);
    write(hidDir + "/hidraw/" + hidraw + "/dev", "243:0\n");
    std::filesystem::create_directory_symlink(hidDir + "/hidraw/" + hidraw, sysRoot() + "/class/hidraw/" + hidraw);
  }

  static void write(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }

  std::string root_;
};

}  // namespace vestrix::testing
