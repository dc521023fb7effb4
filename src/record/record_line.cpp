#include "record/record_line.h"

#include "protocol/format_fixed.h"

#include <charconv>

namespace vestrix::record {

namespace {

constexpr const char* kHeaders[kColumnCount] = {"Date", "Time", "No.", "Tensometr", "Enkoder", "0-10V", "OUT1", "OUT2"};

bool Ticked(const ColumnChoice& columns, Column c) { return columns[static_cast<int>(c)]; }

// Appended in place: a record is built for every measurement.
void AppendNumber(QByteArray& line, int n) {
  char digits[16];
  const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, n);
  line.append(digits, end.ptr - digits);
}

void AppendValue(QByteArray& line, double value, int precision, int decimals, QChar separator) {
  line += protocol::FormatFixed(value, precision, decimals, separator).toUtf8();
}

void AppendDate(QByteArray& line, const ClockReading& c) {
  AppendNumber(line, c.day);
  line += '-';
  AppendNumber(line, c.month);
  line += '-';
  AppendNumber(line, c.year);
}

void AppendTime(QByteArray& line, const ClockReading& c) {
  AppendNumber(line, c.hour);
  line += ':';
  AppendNumber(line, c.minute);
  line += ':';
  AppendNumber(line, c.second);
  line += ':';
  AppendNumber(line, c.millisecond);
}

}  // namespace

QByteArray DateText(const ClockReading& c) {
  QByteArray text;
  AppendDate(text, c);
  return text;
}

QByteArray TimeText(const ClockReading& c) {
  QByteArray text;
  AppendTime(text, c);
  return text;
}

const char* ColumnHeader(Column column) { return kHeaders[static_cast<int>(column)]; }

QByteArray RecordHeader(const ColumnChoice& columns) {
  QByteArray line;
  for (int c = 0; c < kColumnCount; ++c) {
    if (columns[c]) line += QByteArray(kHeaders[c]) + ';';
  }
  return line + "\r\n";
}

QByteArray RecordFields(const protocol::MeasurementSample& s, const ColumnChoice& columns, const ClockReading& clock,
                        int recordNumber, QChar separator) {
  QByteArray line;
  line.reserve(128);
  // Each ticked column's field, followed by ";".
  const auto field = [&](Column c, const auto& append) {
    if (!Ticked(columns, c)) return;
    append();
    line += ';';
  };
  field(Column::Date, [&] { AppendDate(line, clock); });
  field(Column::Time, [&] { AppendTime(line, clock); });
  field(Column::Number, [&] { AppendNumber(line, recordNumber); });
  field(Column::Tens, [&] { AppendValue(line, s.tensValue, 8, 2, separator); });
  field(Column::Counter, [&] { AppendValue(line, s.counterValue, 8, 2, separator); });
  field(Column::Analog, [&] { AppendValue(line, s.analogValue, 8, 2, separator); });
  field(Column::Out1, [&] { AppendValue(line, s.relay1, 1, 0, separator); });
  field(Column::Out2, [&] { AppendValue(line, s.relay2, 1, 0, separator); });
  line += "\r\n";
  return line;
}

}  // namespace vestrix::record
