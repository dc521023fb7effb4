#include "hid/linux/report_descriptor.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace vestrix::hid::linux_hid {

namespace {

enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2 };

enum MainTag { kInput = 8, kOutput = 9, kCollection = 10, kFeature = 11, kEndCollection = 12 };
enum GlobalTag { kUsagePage = 0, kReportSize = 7, kReportId = 8, kReportCount = 9, kPush = 10, kPop = 11 };
enum LocalTag { kUsage = 0 };

struct GlobalState {
  std::uint32_t usagePage = 0;
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint8_t reportId = 0;
};

std::uint16_t LengthOf(const std::map<std::uint8_t, std::uint64_t>& bits) {
  std::uint64_t longest = 0;
  for (const auto& [id, count] : bits) longest = std::max(longest, (count + 7) / 8);
  if (bits.empty()) return 0;
  return static_cast<std::uint16_t>(std::min<std::uint64_t>(longest + 1, 0xFFFF));
}

}  // namespace

ReportLayout ParseReportDescriptor(std::span<const std::uint8_t> d) {
  ReportLayout layout;
  GlobalState global;
  std::vector<GlobalState> stack;
  std::vector<std::uint32_t> usages;
  std::array<std::map<std::uint8_t, std::uint64_t>, 3> bits;  // input, output, feature
  int depth = 0;
  bool topLevelSeen = false;

  std::size_t i = 0;
  while (i < d.size()) {
    const std::uint8_t prefix = d[i];
    if (prefix == 0xFE) {  // long item: size, tag, data
      if (i + 2 >= d.size()) break;
      i += 3 + d[i + 1];
      continue;
    }
    static constexpr std::size_t kSizes[] = {0, 1, 2, 4};
    const std::size_t size = kSizes[prefix & 3];
    if (i + 1 + size > d.size()) break;
    std::uint32_t value = 0;
    for (std::size_t b = 0; b < size; ++b) value |= static_cast<std::uint32_t>(d[i + 1 + b]) << (8 * b);
    const int type = (prefix >> 2) & 3;
    const int tag = prefix >> 4;
    i += 1 + size;

    if (type == kGlobal) {
      switch (tag) {
        case kUsagePage: global.usagePage = value; break;
        case kReportSize: global.reportSize = value; break;
        case kReportCount: global.reportCount = value; break;
        case kReportId:
          global.reportId = static_cast<std::uint8_t>(value);
          layout.numberedReports = true;
          break;
        case kPush: stack.push_back(global); break;
        case kPop:
          if (!stack.empty()) {
            global = stack.back();
            stack.pop_back();
          }
          break;
        default: break;
      }
    } else if (type == kLocal) {
      if (tag == kUsage) usages.push_back(size == 4 ? value : (global.usagePage << 16) | value);
    } else if (type == kMain) {
      const std::uint64_t fieldBits = static_cast<std::uint64_t>(global.reportSize) * global.reportCount;
      switch (tag) {
        case kInput: bits[0][global.reportId] += fieldBits; break;
        case kOutput: bits[1][global.reportId] += fieldBits; break;
        case kFeature: bits[2][global.reportId] += fieldBits; break;
        case kCollection:
          if (depth == 0 && !topLevelSeen) {
            topLevelSeen = true;
            const std::uint32_t usage = usages.empty() ? global.usagePage << 16 : usages.front();
            layout.usagePage = static_cast<std::uint16_t>(usage >> 16);
            layout.usage = static_cast<std::uint16_t>(usage & 0xFFFF);
          }
          ++depth;
          break;
        case kEndCollection: depth = std::max(0, depth - 1); break;
        default: break;
      }
      usages.clear();
    }
  }
  layout.inputReportByteLength = LengthOf(bits[0]);
  layout.outputReportByteLength = LengthOf(bits[1]);
  layout.featureReportByteLength = LengthOf(bits[2]);
  return layout;
}

}  // namespace vestrix::hid::linux_hid
