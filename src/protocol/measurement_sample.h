#pragma once

#include "protocol/codecs.h"

#include <array>
#include <cstdint>

namespace vestrix::protocol {

// The latest measurement of the instrument.
struct MeasurementSample {
  std::uint16_t year = 0;
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;
  std::uint8_t second = 0;
  float tensValue = 0;
  float counterValue = 0;
  float analogValue = 0;
  float minValue = 0;
  float maxValue = 0;
  std::uint8_t relay1 = 0;  // 0 = LOW, anything else HIGH
  std::uint8_t relay2 = 0;
};

// Reads a measurement message (code 4) in full.
MeasurementSample DecodeMeasurement(const MessageView& message);

// The measurement message for a sample, as the instrument sends it.
std::array<std::uint8_t, 31> EncodeMeasurement(const MeasurementSample& sample);

}  // namespace vestrix::protocol
