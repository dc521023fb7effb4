// Report descriptors as sysfs hands them over: any bytes.
// Asserts beyond "does not crash":
//  - the parser reads only within the descriptor (ASan: an exactly sized
//    heap block);
//  - a kind of report has a length exactly when the descriptor has a main
//    item of that kind, and the length never exceeds what the descriptor's
//    items describe: one report id byte plus every field of that kind, all
//    report ids together, in whole bytes.
#include "hid/linux/report_descriptor.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// A walk of its own over the items, by the framing rules of HID 1.11 6.2.2.
struct Bound {
  bool present[3] = {false, false, false};
  unsigned long long bits[3] = {0, 0, 0};
};

Bound Walk(const std::uint8_t* d, std::size_t n) {
  Bound bound;
  unsigned long long size = 0;
  unsigned long long count = 0;
  unsigned long long maxSize = 0;
  unsigned long long maxCount = 0;
  std::size_t i = 0;
  while (i < n) {
    if (d[i] == 0xFE) {
      if (i + 2 >= n) break;
      i += 3 + d[i + 1];
      continue;
    }
    const std::size_t length = (d[i] & 3) == 3 ? 4 : (d[i] & 3);
    if (i + 1 + length > n) break;
    unsigned long long value = 0;
    for (std::size_t b = 0; b < length; ++b) value |= static_cast<unsigned long long>(d[i + 1 + b]) << (8 * b);
    const int type = (d[i] >> 2) & 3;
    const int tag = d[i] >> 4;
    i += 1 + length;
    if (type == 1 && tag == 7) size = value;
    if (type == 1 && tag == 9) count = value;
    // Push and pop can bring back any size and count seen before.
    maxSize = std::max(maxSize, size);
    maxCount = std::max(maxCount, count);
    if (type == 0 && tag >= 8 && tag <= 11 && tag != 10) {
      const int kind = tag == 8 ? 0 : tag == 9 ? 1 : 2;
      bound.present[kind] = true;
      const unsigned long long field = maxSize * maxCount;  // both below 2^32: no overflow
      bound.bits[kind] = field > ~0ull - bound.bits[kind] ? ~0ull : bound.bits[kind] + field;
    }
  }
  return bound;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[size == 0 ? 1 : size]);
  if (size) std::memcpy(copy.get(), data, size);
  const auto layout = vestrix::hid::linux_hid::ParseReportDescriptor({copy.get(), size});
  const Bound bound = Walk(copy.get(), size);
  const std::uint16_t lengths[3] = {layout.inputReportByteLength, layout.outputReportByteLength,
                                    layout.featureReportByteLength};
  for (int kind = 0; kind < 3; ++kind) {
    if ((lengths[kind] != 0) != bound.present[kind]) std::abort();
    const unsigned long long most = std::min(0xFFFFull, 1 + bound.bits[kind] / 8 + 1);
    if (lengths[kind] > most) std::abort();
  }
  return 0;
}
