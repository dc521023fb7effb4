#include "measure/quantity_table.h"

#include "protocol/format_fixed.h"

namespace vestrix::measure {

namespace {

using S = protocol::MeasurementSample;

// clang-format off
const std::array<QuantityRow, kQuantities> kRows = {{
    // quantity           value                                          text              record       settings    cli     chart control   caption        colour    unit
    {Quantity::Tens,    [](const S& s) -> double { return s.tensValue; },    TextRule::Value, "Tensometr", "SaveTens", "tens", "ChartTens",    "Tensometric", 0x008000, UnitSource::TensUnit},
    {Quantity::Counter, [](const S& s) -> double { return s.counterValue; }, TextRule::Value, "Enkoder",   "SaveCnt",  "enc",  "ChartCounter", "Counter",     0x0050c8, UnitSource::None},
    {Quantity::Analog,  [](const S& s) -> double { return s.analogValue; },  TextRule::Value, "0-10V",     "SaveAdc",  "adc",  "ChartAnalog",  "Analog",      0xdc7800, UnitSource::None},
    {Quantity::Min,     [](const S& s) -> double { return s.minValue; },     TextRule::Value, nullptr,     nullptr,    "min",  "ChartMin",     "MIN",         0x8200aa, UnitSource::None},
    {Quantity::Max,     [](const S& s) -> double { return s.maxValue; },     TextRule::Value, nullptr,     nullptr,    "max",  "ChartMax",     "MAX",         0xc80000, UnitSource::None},
    {Quantity::Out1,    [](const S& s) -> double { return s.relay1; },       TextRule::Relay, "OUT1",      "SaveOut1", "out1", "ChartOut1",    "Relay 1",     0x009696, UnitSource::None},
    {Quantity::Out2,    [](const S& s) -> double { return s.relay2; },       TextRule::Relay, "OUT2",      "SaveOut2", "out2", "ChartOut2",    "Relay 2",     0x8c5f28, UnitSource::None},
    {Quantity::Date,    nullptr,                                             TextRule::Date,  nullptr,     nullptr,    nullptr, nullptr,     nullptr,       0,        UnitSource::None},
    {Quantity::Time,    nullptr,                                             TextRule::Time,  nullptr,     nullptr,    nullptr, nullptr,     nullptr,       0,        UnitSource::None},
}};
// clang-format on

}  // namespace

const std::array<QuantityRow, kQuantities>& Quantities() { return kRows; }

const QuantityRow& RowOf(Quantity quantity) { return kRows[static_cast<std::size_t>(quantity)]; }

QString ValueText(double value, QChar separator) { return protocol::FormatFixed(value, 15, 4, separator); }

QString RelayText(bool high) { return high ? QStringLiteral("HIGH") : QStringLiteral("LOW"); }

QString DateText(int day, int month, int year) { return QStringLiteral("%1-%2-%3").arg(day).arg(month).arg(year); }

QString TimeText(int hour, int minute, int second) {
  return QStringLiteral("%1:%2:%3").arg(hour).arg(minute).arg(second);
}

QString QuantityText(Quantity quantity, const protocol::MeasurementSample& s, QChar separator) {
  const QuantityRow& row = RowOf(quantity);
  switch (row.text) {
    case TextRule::Value: return ValueText(row.value(s), separator);
    case TextRule::Relay: return RelayText(row.value(s) != 0);
    case TextRule::Date: return DateText(s.day, s.month, s.year);
    case TextRule::Time: return TimeText(s.hour, s.minute, s.second);
  }
  return {};
}

}  // namespace vestrix::measure
