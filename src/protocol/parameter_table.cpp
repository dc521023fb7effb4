#include "protocol/parameter_table.h"

#include "protocol/message_codes.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vestrix::protocol {

namespace {

using K = ValueKind;

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

// clang-format off
constexpr std::array<Parameter, 27> kParameters = {{
    // name         read  kind              status    choices                   lower       upper       default
    {"ModbusAdr",      1, K::ModbusAddress, "IDS_17", {{}, 1, 247},             0,          0,          1},
    {"SdRecording",    2, K::Index,         "IDS_25", Fixed(kInactiveActive),   0,          0,          0},
    {"AdcOffset",     10, K::Float32,       "IDS_38", None,                     kCoefMin,   kCoefMax,   0},
    {"AdcCoef",       11, K::Float32,       "IDS_39", None,                     kCoefMin,   kCoefMax,   1},
    {"AdcPoint",      13, K::Index,         "IDS_27", Fixed(kDecimalPoint),     0,          0,          2},
    {"EncOffset",     20, K::Float32,       "IDS_36", None,                     kCoefMin,   kCoefMax,   0},
    {"EncCoef",       21, K::Float32,       "IDS_37", None,                     kCoefMin,   kCoefMax,   1},
    {"EncPoint",      22, K::Index,         "IDS_26", Fixed(kDecimalPoint),     0,          0,          0},
    {"TensConst",     31, K::Float32,       "IDS_30", None,                     kConstMin,  kConstMax,  2},
    {"TensRange",     32, K::UInt32,        "IDS_31", None,                     1,          999999,     1000},
    {"TensOffset",    33, K::Float32,       "IDS_32", None,                     kCoefMin,   kCoefMax,   0},
    {"TensCoef",      34, K::Float32,       "IDS_33", None,                     kCoefMin,   kCoefMax,   1},
    {"TensPoint",     35, K::Index,         "IDS_18", Fixed(kDecimalPoint),     0,          0,          2},
    {"TensUnit",      36, K::Index,         "IDS_19", Fixed(kUnits),            0,          0,          2},
    {"TensFilter",    37, K::Index,         "IDS_20", {kNoFiltering, 1, 39},    0,          0,          5},
    {"TriggerSource", 40, K::Index,         "IDS_21", Fixed(kTriggerSources),   0,          0,          0},
    {"EncReset",      41, K::Index,         "IDS_22", Fixed(kInactiveActive),   0,          0,          0},
    {"TriggerStart",  42, K::Float32,       "IDS_34", None,                     kTriggerMin, kTriggerMax, 10},
    {"TriggerStop",   43, K::Float32,       "IDS_35", None,                     kTriggerMin, kTriggerMax, 5},
    {"SampleTime",    46, K::Index,         "IDS_23", Fixed(kSampleTimes),      0,          0,          2},
    {"Pk1Source",     50, K::Index,         "IDS_28", Fixed(kRelaySources),     0,          0,          0},
    {"Pk1On",         51, K::Float32,       "IDS_40", None,                     kRelayMin,  kRelayMax,  600},
    {"Pk1Off",        52, K::Float32,       "IDS_41", None,                     kRelayMin,  kRelayMax,  400},
    {"Pk2Source",     54, K::Index,         "IDS_29", Fixed(kRelaySources),     0,          0,          2},
    {"Pk2On",         55, K::Float32,       "IDS_42", None,                     kRelayMin,  kRelayMax,  7},
    {"Pk2Off",        56, K::Float32,       "IDS_43", None,                     kRelayMin,  kRelayMax,  3},
    {"ModbusBr",      62, K::Index,         "IDS_24", Fixed(kBaudRates),        0,          0,          0},
}};
// clang-format on

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

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

const Parameter* FindParameterByName(std::string_view name) {
  for (const Parameter& p : kParameters) {
    if (SameName(p.name, name)) return &p;
  }
  return nullptr;
}

}  // namespace vestrix::protocol
