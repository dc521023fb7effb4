#include "protocol/measurement_sample.h"

#include "protocol/message_codes.h"

namespace vestrix::protocol {

MeasurementSample DecodeMeasurement(const MessageView& m) {
  MeasurementSample s;
  s.year = m.uint16BigEndian(1);
  s.month = m.byte(3);
  s.day = m.byte(4);
  s.hour = m.byte(5);
  s.minute = m.byte(6);
  s.second = m.byte(7);
  s.tensValue = m.float32(8);
  s.counterValue = m.float32(12);
  s.analogValue = m.float32(16);
  s.minValue = m.float32(20);
  s.maxValue = m.float32(24);
  s.relay1 = m.byte(28);
  s.relay2 = m.byte(29);
  return s;
}

std::array<std::uint8_t, 31> EncodeMeasurement(const MeasurementSample& s) {
  std::array<std::uint8_t, 31> m{};
  m[0] = kReadMeasurement;
  m[1] = static_cast<std::uint8_t>(s.year >> 8);
  m[2] = static_cast<std::uint8_t>(s.year);
  m[3] = s.month;
  m[4] = s.day;
  m[5] = s.hour;
  m[6] = s.minute;
  m[7] = s.second;
  PutFloat32(&m[8], s.tensValue);
  PutFloat32(&m[12], s.counterValue);
  PutFloat32(&m[16], s.analogValue);
  PutFloat32(&m[20], s.minValue);
  PutFloat32(&m[24], s.maxValue);
  m[28] = s.relay1;
  m[29] = s.relay2;
  return m;
}

}  // namespace vestrix::protocol
