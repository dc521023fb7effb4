#pragma once

#include "protocol/measurement_sample.h"
#include "record/record_line.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace vestrix::cli {

// How watch prints a measurement.
enum class WatchFormat { Text, Json, Csv, Influx };

std::optional<WatchFormat> ParseWatchFormat(const std::string& name);

// The Display page's texts on one line: the instrument's date and time,
// then each value after its column's name, the strain-gauge value followed
// by its unit when known. No line end.
std::string TextLine(const protocol::MeasurementSample& sample, QChar decimalSeparator, const QString& unit = {});

// A JSON object on one line: the PC's local time and milliseconds since
// the epoch, the instrument's time, the values exactly as sent (null when
// not finite), the unit of the strain-gauge value (null when not known)
// and the relays as 0 or 1. No line end.
std::string JsonLine(const protocol::MeasurementSample& sample, const record::ClockReading& clock, std::int64_t unixMs,
                     const QString& unit = {});

// A tag value of the line protocol, its commas, equals signs and blanks
// escaped.
std::string EscapeInfluxTag(const std::string& value);

// One point of the line protocol: measurement "vestrix", the device and
// the unit of the strain-gauge value as tags (none when empty), the values as float fields (a value that is not
// finite left out), the relays as integer fields, and the time in
// nanoseconds since the epoch. No line end.
std::string InfluxLine(const protocol::MeasurementSample& sample, const std::string& device, std::int64_t unixNs,
                       const QString& unit = {});

}  // namespace vestrix::cli
