#include "protocol/parameter_table.h"

#include "protocol/message_codes.h"

#include <array>

namespace vestrix::protocol {

namespace {

using K = ValueKind;
using G = ParameterGroup;

constexpr const char* kDecimalPoint[] = {"0", "1", "2", "3", "4"};
constexpr const char* kUnits[] = {"g", "Kg", "N", "KN", "Pound"};
constexpr const char* kNoFiltering[] = {"No filtering"};
constexpr const char* kBaudRates[] = {"9600", "19200", "38400", "57600", "115200"};
constexpr const char* kInactiveActive[] = {"Inactive", "Active"};
constexpr const char* kTriggerSources[] = {"Continuous",        "Pulse (IN 1)",   "Level (IN 1)",
                                           "Tensometric input", "Counter  input", "Analog  input"};
constexpr const char* kSampleTimes[] = {"10 [ms]", "50 [ms]", "100 [ms]", "200 [ms]", "500 [ms]",
                                        "1 [s]",   "2 [s]",   "5 [s]",    "10 [s]",   "30 [s]",
                                        "1[ min]", "5 [min]", "15[ min]", "30 [min]", "60 [min]"};
constexpr const char* kRelaySources[] = {"Tensometric", "Counter", "Analog"};

constexpr Choices None{};
constexpr Choices Fixed(std::span<const char* const> texts) { return {texts, 1, 0}; }

// The float bounds as the instrument's firmware has them, single precision.
constexpr float kConstMin = 0.0001f, kConstMax = 9.9999f;
constexpr float kCoefMin = -999.9999f, kCoefMax = 999.9999f;
constexpr float kTriggerMin = -10000.0f, kTriggerMax = 10000.0f;
constexpr float kRelayMin = -10000.0f, kRelayMax = 1000.0f;

constexpr std::array<Parameter, 27> kParameters = {{
    {"ModbusAdr", 1, K::ModbusAddress, "IDS_17", "BoxModbusAdr", "SpeedButton16", "SpeedButton17", "Label29", "MODBUS address",
     G::Global, 0, {{}, 1, 247}, 0, 0, 1},
    {"SdRecording", 2, K::Index, "IDS_25", "BoxMemory", "SpeedButton58", "SpeedButton59", "Label50", "Recording on SD card",
     G::Global, 2, Fixed(kInactiveActive), 0, 0, 0},
    {"AdcOffset", 10, K::Float32, "IDS_38", "BoxAdcOffset", "SpeedButton21", "SpeedButton20", "Label31", "Offset", G::Analog,
     0, None, kCoefMin, kCoefMax, 0},
    {"AdcCoef", 11, K::Float32, "IDS_39", "BoxAdcCoef", "SpeedButton22", "SpeedButton23", "Label32", "Coeff", G::Analog, 1,
     None, kCoefMin, kCoefMax, 1},
    {"AdcPoint", 13, K::Index, "IDS_27", "BoxAdcPoint", "SpeedButton28", "SpeedButton29", "Label35", "Decimal point", G::Analog,
     2, Fixed(kDecimalPoint), 0, 0, 2},
    {"EncOffset", 20, K::Float32, "IDS_36", "BoxEncOffset", "SpeedButton25", "SpeedButton24", "Label33", "Offset", G::Counter,
     0, None, kCoefMin, kCoefMax, 0},
    {"EncCoef", 21, K::Float32, "IDS_37", "BoxEncCoef", "SpeedButton26", "SpeedButton27", "Label34", "Coeff", G::Counter, 1,
     None, kCoefMin, kCoefMax, 1},
    {"EncPoint", 22, K::Index, "IDS_26", "BoxEncPoint", "SpeedButton30", "SpeedButton31", "Label36", "Decimal point",
     G::Counter, 2, Fixed(kDecimalPoint), 0, 0, 0},
    {"TensConst", 31, K::Float32, "IDS_30", "BoxTensConst", "SpeedButton3", "SpeedButton2", "Label22", "Rated output [mV/V]",
     G::Tensometric, 0, None, kConstMin, kConstMax, 2},
    {"TensRange", 32, K::UInt32, "IDS_31", "BoxTensRange", "SpeedButton4", "SpeedButton5", "Label23", "Rated capacity [N]",
     G::Tensometric, 1, None, 1, 999999, 1000},
    {"TensOffset", 33, K::Float32, "IDS_32", "BoxTensOffset", "SpeedButton6", "SpeedButton7", "Label24", "Offset",
     G::Tensometric, 2, None, kCoefMin, kCoefMax, 0},
    {"TensCoef", 34, K::Float32, "IDS_33", "BoxTensCoef", "SpeedButton8", "SpeedButton9", "Label25", "Coeff", G::Tensometric,
     3, None, kCoefMin, kCoefMax, 1},
    {"TensPoint", 35, K::Index, "IDS_18", "BoxTensPoint", "SpeedButton10", "SpeedButton11", "Label26", "Decimal point",
     G::Tensometric, 4, Fixed(kDecimalPoint), 0, 0, 2},
    {"TensUnit", 36, K::Index, "IDS_19", "BoxTensUnit", "SpeedButton12", "SpeedButton13", "Label27", "Unit", G::Tensometric,
     5, Fixed(kUnits), 0, 0, 2},
    {"TensFilter", 37, K::Index, "IDS_20", "BoxTensFilter", "SpeedButton14", "SpeedButton15", "Label28", "Filtration level",
     G::Tensometric, 6, {kNoFiltering, 1, 39}, 0, 0, 5},
    {"TriggerSource", 40, K::Index, "IDS_21", "BoxTrigerSource", "SpeedButton40", "SpeedButton41", "Label41",
     "Trigger source", G::Trigger, 2, Fixed(kTriggerSources), 0, 0, 0},
    {"EncReset", 41, K::Index, "IDS_22", "BoxEncReset", "SpeedButton42", "SpeedButton43", "Label42", "Counter auto-reset",
     G::Trigger, 3, Fixed(kInactiveActive), 0, 0, 0},
    {"TriggerStart", 42, K::Float32, "IDS_34", "BoxTrigerStart", "SpeedButton33", "SpeedButton32", "Label37", "Start level",
     G::Trigger, 0, None, kTriggerMin, kTriggerMax, 10},
    {"TriggerStop", 43, K::Float32, "IDS_35", "BoxTrigerStop", "SpeedButton34", "SpeedButton35", "Label38", "Stop level",
     G::Trigger, 1, None, kTriggerMin, kTriggerMax, 5},
    {"SampleTime", 46, K::Index, "IDS_23", "BoxSampleTime", "SpeedButton44", "SpeedButton45", "Label43", "Sampling time",
     G::Trigger, 4, Fixed(kSampleTimes), 0, 0, 2},
    {"Pk1Source", 50, K::Index, "IDS_28", "BoxPk1", "SpeedButton54", "SpeedButton55", "Label48", "PK1 control source",
     G::Relay, 4, Fixed(kRelaySources), 0, 0, 0},
    {"Pk1On", 51, K::Float32, "IDS_40", "BoxPk1On", "SpeedButton37", "SpeedButton36", "Label39", "PK1 ON level", G::Relay, 0,
     None, kRelayMin, kRelayMax, 600},
    {"Pk1Off", 52, K::Float32, "IDS_41", "BoxPk1Off", "SpeedButton38", "SpeedButton39", "Label40", "PK1 OFF level", G::Relay,
     1, None, kRelayMin, kRelayMax, 400},
    {"Pk2Source", 54, K::Index, "IDS_29", "BoxPk2", "SpeedButton56", "SpeedButton57", "Label49", "PK2 control source",
     G::Relay, 5, Fixed(kRelaySources), 0, 0, 2},
    {"Pk2On", 55, K::Float32, "IDS_42", "BoxPk2On", "SpeedButton46", "SpeedButton47", "Label44", "PK2 ON level", G::Relay, 2,
     None, kRelayMin, kRelayMax, 7},
    {"Pk2Off", 56, K::Float32, "IDS_43", "BoxPk2Off", "SpeedButton48", "SpeedButton49", "Label45", "PK2 OFF level", G::Relay,
     3, None, kRelayMin, kRelayMax, 3},
    {"ModbusBr", 62, K::Index, "IDS_24", "BoxModbusBr", "SpeedButton18", "SpeedButton19", "Label30", "MODBUS baudrate",
     G::Global, 1, Fixed(kBaudRates), 0, 0, 0},
}};

}  // namespace

int Choices::count() const {
  return static_cast<int>(fixed.size()) + (numberedTo >= numberedFrom ? numberedTo - numberedFrom + 1 : 0);
}

std::string Choices::text(int position) const {
  const int fixedCount = static_cast<int>(fixed.size());
  if (position < fixedCount) return fixed[static_cast<std::size_t>(position)];
  return std::to_string(numberedFrom + position - fixedCount);
}

std::uint8_t Parameter::writeCode() const { return static_cast<std::uint8_t>(readCode | kWriteFlag); }

std::uint32_t Parameter::writeLength() const { return isList() ? kIndexWriteLength : kWordWriteLength; }

std::span<const Parameter> Parameters() { return kParameters; }

const Parameter* FindParameterByReadCode(std::uint8_t code) {
  for (const Parameter& p : kParameters) {
    if (p.readCode == code) return &p;
  }
  return nullptr;
}

}  // namespace vestrix::protocol
