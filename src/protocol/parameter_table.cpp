#include "protocol/parameter_table.h"

#include "protocol/message_codes.h"

#include <array>

namespace vestrix::protocol {

namespace {

using K = ValueKind;

constexpr std::array<Parameter, 27> kParameters = {{
    {"ModbusAdr", 1, K::ModbusAddress, "IDS_17", "BoxModbusAdr", 247, 1, 247, 1},
    {"SdRecording", 2, K::Index, "IDS_25", "BoxMemory", 2, 0, 1, 0},
    {"AdcOffset", 10, K::Float32, "IDS_38", "BoxAdcOffset", 0, -999.9999, 999.9999, 0},
    {"AdcCoef", 11, K::Float32, "IDS_39", "BoxAdcCoef", 0, -999.9999, 999.9999, 1},
    {"AdcPoint", 13, K::Index, "IDS_27", "BoxAdcPoint", 5, 0, 4, 2},
    {"EncOffset", 20, K::Float32, "IDS_36", "BoxEncOffset", 0, -999.9999, 999.9999, 0},
    {"EncCoef", 21, K::Float32, "IDS_37", "BoxEncCoef", 0, -999.9999, 999.9999, 1},
    {"EncPoint", 22, K::Index, "IDS_26", "BoxEncPoint", 5, 0, 4, 0},
    {"TensConst", 31, K::Float32, "IDS_30", "BoxTensConst", 0, 0.0001, 9.9999, 2},
    {"TensRange", 32, K::UInt32, "IDS_31", "BoxTensRange", 0, 1, 999999, 1000},
    {"TensOffset", 33, K::Float32, "IDS_32", "BoxTensOffset", 0, -999.9999, 999.9999, 0},
    {"TensCoef", 34, K::Float32, "IDS_33", "BoxTensCoef", 0, -999.9999, 999.9999, 1},
    {"TensPoint", 35, K::Index, "IDS_18", "BoxTensPoint", 5, 0, 4, 2},
    {"TensUnit", 36, K::Index, "IDS_19", "BoxTensUnit", 5, 0, 4, 2},
    {"TensFilter", 37, K::Index, "IDS_20", "BoxTensFilter", 40, 0, 39, 5},
    {"TriggerSource", 40, K::Index, "IDS_21", "BoxTrigerSource", 6, 0, 5, 0},
    {"EncReset", 41, K::Index, "IDS_22", "BoxEncReset", 2, 0, 1, 0},
    {"TriggerStart", 42, K::Float32, "IDS_34", "BoxTrigerStart", 0, -10000, 10000, 10},
    {"TriggerStop", 43, K::Float32, "IDS_35", "BoxTrigerStop", 0, -10000, 10000, 5},
    {"SampleTime", 46, K::Index, "IDS_23", "BoxSampleTime", 15, 0, 14, 2},
    {"Pk1Source", 50, K::Index, "IDS_28", "BoxPk1", 3, 0, 2, 0},
    {"Pk1On", 51, K::Float32, "IDS_40", "BoxPk1On", 0, -10000, 1000, 600},
    {"Pk1Off", 52, K::Float32, "IDS_41", "BoxPk1Off", 0, -10000, 1000, 400},
    {"Pk2Source", 54, K::Index, "IDS_29", "BoxPk2", 3, 0, 2, 2},
    {"Pk2On", 55, K::Float32, "IDS_42", "BoxPk2On", 0, -10000, 1000, 7},
    {"Pk2Off", 56, K::Float32, "IDS_43", "BoxPk2Off", 0, -10000, 1000, 3},
    {"ModbusBr", 62, K::Index, "IDS_24", "BoxModbusBr", 5, 0, 4, 0},
}};

}  // namespace

std::uint8_t Parameter::writeCode() const { return static_cast<std::uint8_t>(readCode | kWriteFlag); }

std::uint32_t Parameter::writeLength() const {
  return kind == ValueKind::Index || kind == ValueKind::ModbusAddress ? kIndexWriteLength : kWordWriteLength;
}

std::span<const Parameter> Parameters() { return kParameters; }

const Parameter* FindParameterByReadCode(std::uint8_t code) {
  for (const Parameter& p : kParameters) {
    if (p.readCode == code) return &p;
  }
  return nullptr;
}

}  // namespace vestrix::protocol
