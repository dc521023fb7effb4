#include "record/record_line.h"

#include "measure/quantity_table.h"
#include "protocol/format_fixed.h"

#include <charconv>
#include <optional>

namespace vestrix::record {

namespace {

// The columns of the PC's clock and the record number; the others are
// measured quantities, whose headers the table of quantities gives.
constexpr const char* kOwnHeaders[] = {"Date", "Time", "No."};
constexpr const char* kOwnSettingsKeys[] = {"SaveDate", "SaveTime", "SaveDataCnt"};

std::optional<measure::Quantity> QuantityOf(Column c) {
  switch (c) {
    case Column::Tens: return measure::Quantity::Tens;
    case Column::Counter: return measure::Quantity::Counter;
    case Column::Analog: return measure::Quantity::Analog;
    case Column::Out1: return measure::Quantity::Out1;
    case Column::Out2: return measure::Quantity::Out2;
    case Column::Date:
    case Column::Time:
    case Column::Number: break;
  }
  return std::nullopt;
}

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

const char* ColumnHeader(Column column) {
  const std::optional<measure::Quantity> q = QuantityOf(column);
  return q ? measure::RowOf(*q).recordHeader : kOwnHeaders[static_cast<int>(column)];
}

const char* ColumnSettingsKey(Column column) {
  const std::optional<measure::Quantity> q = QuantityOf(column);
  return q ? measure::RowOf(*q).settingsKey : kOwnSettingsKeys[static_cast<int>(column)];
}

QByteArray RecordHeader(const ColumnChoice& columns) {
  QByteArray line;
  for (int c = 0; c < kColumnCount; ++c) {
    if (columns[c]) line += QByteArray(ColumnHeader(static_cast<Column>(c))) + ';';
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
  // The measured values: two decimals, the relays as 0 or 1.
  for (const Column c : {Column::Tens, Column::Counter, Column::Analog, Column::Out1, Column::Out2}) {
    const measure::QuantityRow& row = measure::RowOf(*QuantityOf(c));
    const bool relay = row.text == measure::TextRule::Relay;
    field(c, [&] { AppendValue(line, row.value(s), relay ? 1 : 8, relay ? 0 : 2, separator); });
  }
  line += "\r\n";
  return line;
}

}  // namespace vestrix::record
