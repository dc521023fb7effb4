// What sysfs and udev hand the Linux backend: a HID device's directory name
// and a uevent file, then the product string's bytes.
// Input: name, NUL, uevent text, NUL, product bytes.
// Asserts beyond "does not crash":
//  - a name that parses is "BBBB:VVVV:PPPP.N..." and formatting the parsed
//    ids again gives its first 14 characters (case aside);
//  - a uevent value is the rest of a line that starts with KEY=, without its
//    line end;
//  - the product string's UTF-16 is what Qt makes of the same UTF-8 when
//    that UTF-8 is valid, and never holds a lone surrogate.
#include "hid/linux/linux_platform.h"
#include "hid/linux/sysfs_hidraw.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>

using vestrix::hid::linux_hid::HidrawNode;
using vestrix::hid::linux_hid::SysfsHidraw;

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return s;
}

bool ValidUtf8(const std::string& s) {
  const QByteArray bytes = QByteArray::fromStdString(s);
  return QString::fromUtf8(bytes).toUtf8() == bytes && !s.empty() && s.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t first = input.find('\0');
  const std::string name = input.substr(0, first);
  const std::size_t second = first == std::string::npos ? std::string::npos : input.find('\0', first + 1);
  const std::string uevent = first == std::string::npos ? std::string() : input.substr(first + 1, second - first - 1);
  const std::string product = second == std::string::npos ? std::string() : input.substr(second + 1);

  HidrawNode node;
  if (SysfsHidraw::ParseHidName(name, node)) {
    char again[32];
    std::snprintf(again, sizeof again, "%04X:%04X:%04X.", node.bus, node.vendorId, node.productId);
    if (name.size() < 15 || Upper(name.substr(0, 15)) != again) std::abort();
  }

  for (const char* key : {"HID_NAME", "HID_ID", "HID_UNIQ"}) {
    if (const auto value = SysfsHidraw::ParseUeventValue(uevent, key)) {
      if (value->find('\n') != std::string::npos) std::abort();
      const std::string line = std::string(key) + "=" + *value;
      if (uevent.rfind(line, 0) != 0 && uevent.find("\n" + line) == std::string::npos) std::abort();
    }
  }

  const std::u16string utf16 = vestrix::hid::linux_hid::Utf8ToUtf16(product);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= utf16.size() || utf16[i + 1] < 0xDC00 || utf16[i + 1] > 0xDFFF) std::abort();
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      std::abort();
    }
  }
  if (ValidUtf8(product) && QString::fromStdU16String(utf16) != QString::fromUtf8(QByteArray::fromStdString(product))) {
    std::abort();
  }
  return 0;
}
