#pragma once

#include "protocol/measurement_sample.h"

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace vestrix::measure {

// The values of a measurement message. The first seven are the chart's
// series, in this order.
enum class Quantity { Tens, Counter, Analog, Min, Max, Out1, Out2, Date, Time };
constexpr int kQuantities = 9;

// How a value is written as text, on the Display page, in the acquisition
// table and on a terminal: four decimals; HIGH or LOW; day-month-year and
// hour:minute:second without leading zeros.
enum class TextRule { Value, Relay, Date, Time };

// How the unit of a value is known: not at all, or from the instrument's
// TensUnit parameter.
enum class UnitSource { None, TensUnit };

// One measured quantity, everything the program calls it and does with it.
struct QuantityRow {
  Quantity quantity;
  // Its value in a sample (a relay's byte as sent: 0 is LOW, anything else
  // HIGH); none for the date and time.
  double (*value)(const protocol::MeasurementSample&);
  TextRule text;
  // Its record file column's header and settings key (SaveXxx); none when
  // the record file has no column for it.
  const char* recordHeader;
  const char* settingsKey;
  // Its name in vestrix-cli's output (JSON key, line-protocol field); the
  // instrument's date and time go together, as "device_time".
  const char* cliName;
  // Its chart series: the legend entry's object name (the translation table
  // gives its text by it), its English text and its colour (0xRRGGBB).
  const char* chartControl;
  const char* chartCaption;
  std::uint32_t chartColour;
  UnitSource unit;
};

const std::array<QuantityRow, kQuantities>& Quantities();
const QuantityRow& RowOf(Quantity quantity);

// A value as the Display page writes it: 15 significant digits, four
// decimals, in the given separator.
QString ValueText(double value, QChar decimalSeparator);
// A relay as the Display page writes it.
QString RelayText(bool high);
QString DateText(int day, int month, int year);
QString TimeText(int hour, int minute, int second);

// A quantity of a sample by its text rule.
QString QuantityText(Quantity quantity, const protocol::MeasurementSample& sample, QChar decimalSeparator);

}  // namespace vestrix::measure
