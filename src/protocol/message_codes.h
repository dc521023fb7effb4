#pragma once

#include <cstdint>

namespace vestrix::protocol {

// Codes of the messages that are not parameter reads or writes.
constexpr std::uint8_t kReadMeasurement = 4;
constexpr std::uint8_t kResetMinMax = 131;
constexpr std::uint8_t kInputCalibration = 140;
constexpr std::uint8_t kTaring = 158;

// The read code of the one parameter with a rule of its own on writing.
constexpr std::uint8_t kTensRangeRead = 32;

// The read code of the unit of the strain-gauge input, which the program
// asks for by itself.
constexpr std::uint8_t kTensUnitRead = 36;

// A parameter's write code is its read code with this bit set.
constexpr std::uint8_t kWriteFlag = 128;

// The report id of every output report.
constexpr std::uint8_t kOutputReportId = 1;

// Message lengths (code included).
constexpr std::uint32_t kRequestLength = 1;
constexpr std::uint32_t kIndexWriteLength = 2;
constexpr std::uint32_t kWordWriteLength = 5;
constexpr std::uint32_t kMeasurementLength = 31;

}  // namespace vestrix::protocol
