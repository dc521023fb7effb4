#include "hid/linux/sysfs_hidraw.h"

#include "hid/hid_device.h"
#include "hid/hid_device_controller.h"
#include "hid/linux/linux_platform.h"
#include "hid/manual_gui_thread.h"

#include "support/sysfs_fixture.h"

#include <gtest/gtest.h>

namespace vestrix::hid::linux_hid {
namespace {

const std::vector<std::uint8_t> kInstrument = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x09,
                                               0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F,
                                               0x81, 0x02, 0x09, 0x01, 0x95, 0x3F, 0x91, 0x02, 0xC0};

class Sysfs : public ::testing::Test {
 protected:
  LinuxPlatform platform() { return LinuxPlatform({fixture.sysRoot(), fixture.devRoot(), /*watchChanges=*/false}); }
  testing::SysfsFixture fixture;
};

TEST_F(Sysfs, EnumeratesInKernelOrderWithInstanceAsIdentity) {
  fixture.addUsb("hidraw10", "0003:1209:0001.002A", "VESTRIX", kInstrument);
  fixture.addVirtual("hidraw2", "0003:1209:0002.0007", "Other", kInstrument);
  const std::vector<HidrawNode> nodes = SysfsHidraw(fixture.sysRoot()).enumerate();
  ASSERT_EQ(nodes.size(), 2u);
  EXPECT_EQ(nodes[0].name, "hidraw2");
  EXPECT_EQ(nodes[0].instance, 7u);
  EXPECT_EQ(nodes[0].productId, 2);
  EXPECT_EQ(nodes[1].name, "hidraw10");
  EXPECT_EQ(nodes[1].instance, 0x2Au);
  EXPECT_EQ(nodes[1].bus, 3);
  EXPECT_EQ(nodes[1].vendorId, 0x1209);

  LinuxPlatform p = platform();
  const std::vector<PnpInfo> scan = p.scan();
  ASSERT_EQ(scan.size(), 2u);
  EXPECT_EQ(scan[1].devInst, 0x2Au);
  EXPECT_EQ(scan[1].devicePath, fixture.devRoot() + "/hidraw10");
}

struct ProductCase {
  const char* name;
  bool usb;
  const char* usbProduct;  // nullptr: attribute missing
  std::optional<std::u16string> expected;
};

void PrintTo(const ProductCase& c, std::ostream* os) { *os << c.name; }

class Product : public Sysfs, public ::testing::WithParamInterface<ProductCase> {};

TEST_P(Product, FromUsbDeviceElseFromUevent) {
  const ProductCase& c = GetParam();
  if (c.usb) {
    fixture.addUsb("hidraw0", "0003:1209:0001.0001", c.usbProduct, kInstrument);
  } else {
    fixture.addVirtual("hidraw0", "0003:1209:0001.0001", "VESTRIX", kInstrument);
  }
  LinuxPlatform p = platform();
  const PnpInfo info = p.scan().at(0);
  auto handle = p.open(info, OpenMode::IdentifyOnly);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->productString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Product,
                         ::testing::Values(ProductCase{"usb", true, "VESTRIX", u"VESTRIX"},
                                           ProductCase{"usb_utf8", true,
                                                       "Waga \xC5\x82\xC4\x85"
                                                       "cze",
                                                       u"Waga łącze"},
                                           ProductCase{"usb_without_product", true, nullptr, std::nullopt},
                                           ProductCase{"virtual_uses_hid_name", false, nullptr, u"VESTRIX"}));

// Without /dev access the device is still identified from sysfs: that is
// how a VESTRIX without the udev rule is found but not used.
TEST_F(Sysfs, UnopenableNodeIsIdentifiedButNotOpenedForReadWrite) {
  fixture.addUsb("hidraw0", "0003:1209:0001.0003", "VESTRIX", kInstrument, "0205");
  LinuxPlatform p = platform();
  const PnpInfo info = p.scan().at(0);
  EXPECT_EQ(p.open(info, OpenMode::ReadWrite), nullptr);
  int error = 0;
  EXPECT_EQ(p.openRead(info, &error), nullptr);
  EXPECT_EQ(error, ENOENT);

  ManualGuiThread gui;
  HidDeviceController controller(p, gui);
  gui.processEvents();
  ASSERT_EQ(controller.deviceCount(), 1);
  HidDevice* device = nullptr;
  ASSERT_TRUE(controller.ClaimDeviceByIndex(device, 0));
  EXPECT_FALSE(device->OpenedForReadWrite());
  EXPECT_EQ(device->VendorID(), 0x1209);
  EXPECT_EQ(device->VersionNumber(), 0x0205);
  EXPECT_EQ(device->ProductName(), u"VESTRIX");
  EXPECT_EQ(device->GetCaps().inputReportByteLength, 64);
  EXPECT_EQ(device->GetCaps().outputReportByteLength, 64);
}

TEST_F(Sysfs, ReadWriteOpensWhenTheNodeExists) {
  fixture.addUsb("hidraw0", "0003:1209:0001.0003", "VESTRIX", kInstrument);
  fixture.addDevNode("hidraw0");
  LinuxPlatform p = platform();
  EXPECT_NE(p.open(p.scan().at(0), OpenMode::ReadWrite), nullptr);
}

// hidrawN numbers are reused: a path whose node now belongs to another
// instance is a device that is gone.
TEST_F(Sysfs, ReusedNodeNameIsNotTheOldDevice) {
  fixture.addVirtual("hidraw0", "0003:1209:0001.0004", "VESTRIX", kInstrument);
  LinuxPlatform p = platform();
  const PnpInfo old = p.scan().at(0);
  fixture.remove("hidraw0");
  fixture.addVirtual("hidraw0", "0003:1209:0001.0005", "VESTRIX", kInstrument);
  EXPECT_EQ(p.open(old, OpenMode::IdentifyOnly), nullptr);
  EXPECT_EQ(p.scan().at(0).devInst, 5u);
}

struct NameCase {
  const char* name;
  bool valid;
  std::uint32_t instance;
};

class HidName : public ::testing::TestWithParam<NameCase> {};

TEST_P(HidName, Parses) {
  HidrawNode node;
  EXPECT_EQ(SysfsHidraw::ParseHidName(GetParam().name, node), GetParam().valid);
  if (GetParam().valid) {
    EXPECT_EQ(node.instance, GetParam().instance);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HidName,
    ::testing::Values(NameCase{"0003:1209:0001.0001", true, 1}, NameCase{"0005:046D:B01A.00FF", true, 255},
                      NameCase{"0003:1209:0001.1000A", true, 0x1000A}, NameCase{"0003:1209:0001", false, 0},
                      NameCase{"hidraw0", false, 0}, NameCase{"0003:1209:0001.0001x", false, 0},
                      // Only the kernel's own form: no sign, blank or 0x.
                      NameCase{"+003:1209:0001.0001", false, 0}, NameCase{" 003:1209:0001.0001", false, 0},
                      NameCase{"0x03:1209:0001.0001", false, 0}, NameCase{"0003:1209:0001.-0001", false, 0},
                      NameCase{"0003:1209:0001.123456789", false, 0},
                      NameCase{"0003:1209:0001.FFFFFFFF", true, 0xFFFFFFFF}));

TEST(Utf8, DecodesAndReplacesInvalidBytes) {
  EXPECT_EQ(Utf8ToUtf16("VESTRIX"), u"VESTRIX");
  EXPECT_EQ(Utf8ToUtf16("\xC5\x82\xF0\x9F\x98\x80"), u"ł\U0001F600");
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b\xC5"),
            u"a\uFFFDb\uFFFD");
}

}  // namespace
}  // namespace vestrix::hid::linux_hid
