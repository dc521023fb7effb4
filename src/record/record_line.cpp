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
  if (Ticked(columns, Column::Date))
    line += Number(clock.day) + '-' + Number(clock.month) + '-' + Number(clock.year) + ';';
  if (Ticked(columns, Column::Time)) {
    line += Number(clock.hour) + ':' + Number(clock.minute) + ':' + Number(clock.second) + ':' +
            Number(clock.millisecond) + ';';
  }
  if (Ticked(columns, Column::Number)) line += Number(recordNumber) + ';';
  if (Ticked(columns, Column::Tens)) line += Value(s.tensValue, 8, 2, separator) + ';';
  if (Ticked(columns, Column::Counter)) line += Value(s.counterValue, 8, 2, separator) + ';';
  if (Ticked(columns, Column::Analog)) line += Value(s.analogValue, 8, 2, separator) + ';';
  if (Ticked(columns, Column::Out1)) line += Value(s.relay1, 1, 0, separator) + ';';
  if (Ticked(columns, Column::Out2)) line += Value(s.relay2, 1, 0, separator) + ';';
  return line + "\r\n";
}

}  // namespace vestrix::record
