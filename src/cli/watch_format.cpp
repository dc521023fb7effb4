#include "cli/watch_format.h"

#include "cli/number_text.h"
#include "measure/display_texts.h"
#include "measure/quantity_table.h"

#include <array>
#include <cstdio>

namespace vestrix::cli {

namespace {

// The measured values of the table (min and max beyond the record's
// columns), by their names; the relays apart, as integers.
template <typename F>
void ForEachValue(const protocol::MeasurementSample& s, F&& f) {
  for (const measure::QuantityRow& row : measure::Quantities()) {
    if (row.text == measure::TextRule::Value) f(row.cliName, static_cast<float>(row.value(s)));
  }
}

int Bit(std::uint8_t relay) { return relay != 0 ? 1 : 0; }

}  // namespace

std::optional<WatchFormat> ParseWatchFormat(const std::string& name) {
  if (name == "text") return WatchFormat::Text;
  if (name == "json") return WatchFormat::Json;
  if (name == "csv") return WatchFormat::Csv;
  if (name == "influx") return WatchFormat::Influx;
  return std::nullopt;
}

std::string TextLine(const protocol::MeasurementSample& sample, QChar decimalSeparator, const QString& unit) {
  const measure::DisplayTexts t = measure::FormatSample(sample, decimalSeparator);
  const QString tens = unit.isEmpty() ? t.tens : t.tens + QLatin1Char(' ') + unit;
  const QString line = QStringLiteral("%1 %2  tens %3  enc %4  adc %5  min %6  max %7  out1 %8  out2 %9")
                           .arg(t.date, t.time, tens, t.counter, t.analog, t.min, t.max, t.relay1, t.relay2);
  return line.toStdString();
}

std::string JsonLine(const protocol::MeasurementSample& s, const record::ClockReading& c, std::int64_t unixMs,
                     const QString& unit) {
  char head[160];
  std::snprintf(head, sizeof head,
                "{\"time\":\"%04d-%02d-%02dT%02d:%02d:%02d.%03d\",\"unix_ms\":%lld,"
                "\"device_time\":\"%04u-%02u-%02uT%02u:%02u:%02u\"",
                c.year, c.month, c.day, c.hour, c.minute, c.second, c.millisecond, static_cast<long long>(unixMs),
                s.year, s.month, s.day, s.hour, s.minute, s.second);
  std::string line = head;
  ForEachValue(s, [&](const char* name, float value) {
    const std::string text = ShortestText(value);
    line += std::string(",\"") + name + "\":" + (text.empty() ? "null" : text);
  });
  // The unit's symbols are plain letters: nothing to escape.
  line += ",\"unit\":" + (unit.isEmpty() ? std::string("null") : '"' + unit.toStdString() + '"');
  return line + ",\"out1\":" + std::to_string(Bit(s.relay1)) + ",\"out2\":" + std::to_string(Bit(s.relay2)) + "}";
}

std::string EscapeInfluxTag(const std::string& value) {
  std::string escaped;
  for (const char c : value) {
    if (c == ',' || c == '=' || c == ' ') escaped += '\\';
    // A line break would end the point: it cannot be escaped, only replaced.
    escaped += (c == '\n' || c == '\r') ? '_' : c;
  }
  return escaped;
}

std::string InfluxLine(const protocol::MeasurementSample& s, const std::string& device, std::int64_t unixNs,
                       const QString& unit) {
  std::string line = "vestrix";
  if (!device.empty()) line += ",device=" + EscapeInfluxTag(device);
  if (!unit.isEmpty()) line += ",unit=" + EscapeInfluxTag(unit.toStdString());
  line += ' ';
  ForEachValue(s, [&](const char* name, float value) {
    const std::string text = ShortestText(value);
    if (!text.empty()) line += std::string(name) + '=' + text + ',';
  });
  line += "out1=" + std::to_string(Bit(s.relay1)) + "i,out2=" + std::to_string(Bit(s.relay2)) + "i ";
  return line + std::to_string(unixNs);
}

}  // namespace vestrix::cli
