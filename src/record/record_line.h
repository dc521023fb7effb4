#pragma once

#include "clock/clock_reading.h"
#include "protocol/measurement_sample.h"

#include <QByteArray>
#include <QChar>

#include <array>

namespace vestrix::record {

// The eight columns a record may hold, in file order.
enum class Column { Date, Time, Number, Tens, Counter, Analog, Out1, Out2 };
constexpr int kColumnCount = 8;

// Which columns are ticked, indexed by Column.
using ColumnChoice = std::array<bool, kColumnCount>;

// The PC's local clock, read once per line.
using ClockReading = clock::ClockReading;

// The Date and Time fields of a clock reading: "9-1-2015", "14:5:9:37".
QByteArray DateText(const ClockReading& clock);
QByteArray TimeText(const ClockReading& clock);

// A column's name in the header line ("Date", "Tensometr", ...).
const char* ColumnHeader(Column column);
// The settings key that keeps whether it is ticked ("SaveDate", "SaveTens", ...).
const char* ColumnSettingsKey(Column column);

// The header line of a run: the ticked columns' names, each followed by
// ";", then CR LF.
QByteArray RecordHeader(const ColumnChoice& columns);

// One record: the ticked columns' fields, each followed by ";", then CR LF.
// The values are the instrument's; the date and time are the PC's.
QByteArray RecordFields(const protocol::MeasurementSample& sample, const ColumnChoice& columns,
                        const ClockReading& clock, int recordNumber, QChar decimalSeparator);

}  // namespace vestrix::record
