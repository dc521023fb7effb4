#include "record/record_line.h"

#include "protocol/format_fixed.h"

namespace vestrix::record {

namespace {

constexpr const char* kHeaders[kColumnCount] = {"Date", "Time", "No.", "Tensometr", "Enkoder", "0-10V", "OUT1", "OUT2"};

bool Ticked(const ColumnChoice& columns, Column c) { return columns[static_cast<int>(c)]; }

QByteArray Number(int n) { return QByteArray::number(n); }

QByteArray Value(double value, int precision, int decimals, QChar separator) {
  return protocol::FormatFixed(value, precision, decimals, separator).toUtf8();
}

}  // namespace

QByteArray DateText(const ClockReading& c) { return Number(c.day) + '-' + Number(c.month) + '-' + Number(c.year); }

QByteArray TimeText(const ClockReading& c) {
  return Number(c.hour) + ':' + Number(c.minute) + ':' + Number(c.second) + ':' + Number(c.millisecond);
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
  if (Ticked(columns, Column::Date)) line += DateText(clock) + ';';
  if (Ticked(columns, Column::Time)) line += TimeText(clock) + ';';
  if (Ticked(columns, Column::Number)) line += Number(recordNumber) + ';';
  if (Ticked(columns, Column::Tens)) line += Value(s.tensValue, 8, 2, separator) + ';';
  if (Ticked(columns, Column::Counter)) line += Value(s.counterValue, 8, 2, separator) + ';';
  if (Ticked(columns, Column::Analog)) line += Value(s.analogValue, 8, 2, separator) + ';';
  if (Ticked(columns, Column::Out1)) line += Value(s.relay1, 1, 0, separator) + ';';
  if (Ticked(columns, Column::Out2)) line += Value(s.relay2, 1, 0, separator) + ';';
  return line + "\r\n";
}

}  // namespace vestrix::record
