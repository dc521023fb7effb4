#include "config/ui/parameter_layout.h"

#include <array>
#include <cstring>

namespace vestrix::config {

namespace {

using G = ParameterGroup;

// clang-format off
constexpr std::array<ParameterPlace, 27> kPlaces = {{
    // parameter     control            read             write            caption    English caption         group           row
    {"ModbusAdr",     "BoxModbusAdr",    "SpeedButton16", "SpeedButton17", "Label29", "MODBUS address",       G::Global,      0},
    {"SdRecording",   "BoxMemory",       "SpeedButton58", "SpeedButton59", "Label50", "Recording on SD card", G::Global,      2},
    {"AdcOffset",     "BoxAdcOffset",    "SpeedButton21", "SpeedButton20", "Label31", "Offset",               G::Analog,      0},
    {"AdcCoef",       "BoxAdcCoef",      "SpeedButton22", "SpeedButton23", "Label32", "Coeff",                G::Analog,      1},
    {"AdcPoint",      "BoxAdcPoint",     "SpeedButton28", "SpeedButton29", "Label35", "Decimal point",        G::Analog,      2},
    {"EncOffset",     "BoxEncOffset",    "SpeedButton25", "SpeedButton24", "Label33", "Offset",               G::Counter,     0},
    {"EncCoef",       "BoxEncCoef",      "SpeedButton26", "SpeedButton27", "Label34", "Coeff",                G::Counter,     1},
    {"EncPoint",      "BoxEncPoint",     "SpeedButton30", "SpeedButton31", "Label36", "Decimal point",        G::Counter,     2},
    {"TensConst",     "BoxTensConst",    "SpeedButton3",  "SpeedButton2",  "Label22", "Rated output [mV/V]",  G::Tensometric, 0},
    {"TensRange",     "BoxTensRange",    "SpeedButton4",  "SpeedButton5",  "Label23", "Rated capacity [N]",   G::Tensometric, 1},
    {"TensOffset",    "BoxTensOffset",   "SpeedButton6",  "SpeedButton7",  "Label24", "Offset",               G::Tensometric, 2},
    {"TensCoef",      "BoxTensCoef",     "SpeedButton8",  "SpeedButton9",  "Label25", "Coeff",                G::Tensometric, 3},
    {"TensPoint",     "BoxTensPoint",    "SpeedButton10", "SpeedButton11", "Label26", "Decimal point",        G::Tensometric, 4},
    {"TensUnit",      "BoxTensUnit",     "SpeedButton12", "SpeedButton13", "Label27", "Unit",                 G::Tensometric, 5},
    {"TensFilter",    "BoxTensFilter",   "SpeedButton14", "SpeedButton15", "Label28", "Filtration level",     G::Tensometric, 6},
    {"TriggerSource", "BoxTrigerSource", "SpeedButton40", "SpeedButton41", "Label41", "Trigger source",       G::Trigger,     2},
    {"EncReset",      "BoxEncReset",     "SpeedButton42", "SpeedButton43", "Label42", "Counter auto-reset",   G::Trigger,     3},
    {"TriggerStart",  "BoxTrigerStart",  "SpeedButton33", "SpeedButton32", "Label37", "Start level",          G::Trigger,     0},
    {"TriggerStop",   "BoxTrigerStop",   "SpeedButton34", "SpeedButton35", "Label38", "Stop level",           G::Trigger,     1},
    {"SampleTime",    "BoxSampleTime",   "SpeedButton44", "SpeedButton45", "Label43", "Sampling time",        G::Trigger,     4},
    {"Pk1Source",     "BoxPk1",          "SpeedButton54", "SpeedButton55", "Label48", "PK1 control source",   G::Relay,       4},
    {"Pk1On",         "BoxPk1On",        "SpeedButton37", "SpeedButton36", "Label39", "PK1 ON level",         G::Relay,       0},
    {"Pk1Off",        "BoxPk1Off",       "SpeedButton38", "SpeedButton39", "Label40", "PK1 OFF level",        G::Relay,       1},
    {"Pk2Source",     "BoxPk2",          "SpeedButton56", "SpeedButton57", "Label49", "PK2 control source",   G::Relay,       5},
    {"Pk2On",         "BoxPk2On",        "SpeedButton46", "SpeedButton47", "Label44", "PK2 ON level",         G::Relay,       2},
    {"Pk2Off",        "BoxPk2Off",       "SpeedButton48", "SpeedButton49", "Label45", "PK2 OFF level",        G::Relay,       3},
    {"ModbusBr",      "BoxModbusBr",     "SpeedButton18", "SpeedButton19", "Label30", "MODBUS baudrate",      G::Global,      1},
}};
// clang-format on

}  // namespace

std::span<const ParameterPlace> ParameterPlaces() { return kPlaces; }

const ParameterPlace& PlaceOf(const protocol::Parameter& parameter) {
  for (const ParameterPlace& place : kPlaces) {
    if (std::strcmp(place.parameter, parameter.name) == 0) return place;
  }
  return kPlaces.front();  // every parameter of the table has its place (a test pins it)
}

}  // namespace vestrix::config
