#include "measure/display_texts.h"

#include "protocol/format_fixed.h"

namespace vestrix::measure {

namespace {

QString Value(float value, QChar separator) { return protocol::FormatFixed(value, 15, 4, separator); }

QString Relay(std::uint8_t state) { return state != 0 ? QStringLiteral("HIGH") : QStringLiteral("LOW"); }

}  // namespace

DisplayTexts FormatSample(const protocol::MeasurementSample& s, QChar separator) {
  DisplayTexts t;
  t.date = QStringLiteral("%1-%2-%3").arg(s.day).arg(s.month).arg(s.year);
  t.time = QStringLiteral("%1:%2:%3").arg(s.hour).arg(s.minute).arg(s.second);
  t.tens = Value(s.tensValue, separator);
  t.counter = Value(s.counterValue, separator);
  t.analog = Value(s.analogValue, separator);
  t.min = Value(s.minValue, separator);
  t.max = Value(s.maxValue, separator);
  t.relay1 = Relay(s.relay1);
  t.relay2 = Relay(s.relay2);
  return t;
}

}  // namespace vestrix::measure
