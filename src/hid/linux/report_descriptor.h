#pragma once

#include <cstdint>
#include <span>

namespace vestrix::hid::linux_hid {

// What a report descriptor says about a device's reports.
struct ReportLayout {
  std::uint16_t usagePage = 0;  // of the first top-level collection
  std::uint16_t usage = 0;
  // The longest report of each kind in bytes, plus one for the report id
  // byte (which is counted also when the device numbers no reports); 0 when
  // there is no report of that kind.
  std::uint16_t inputReportByteLength = 0;
  std::uint16_t outputReportByteLength = 0;
  std::uint16_t featureReportByteLength = 0;
  bool numberedReports = false;  // the device uses report ids
};

// Parses a HID report descriptor; malformed input yields what could be read
// before the fault, never a read past the end.
ReportLayout ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace vestrix::hid::linux_hid
