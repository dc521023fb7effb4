// The parameter table pinned, row by row, against the instrument's
// documented messages and the configuration page's layout: a change to the
// table must show up here as a deliberate edit.
#include "protocol/parameter_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vestrix::protocol {
namespace {

using K = ValueKind;
using G = ParameterGroup;

struct Pinned {
  const char* name;
  int readCode;
  K kind;
  const char* status;
  const char* control;
  const char* readButton;
  const char* writeButton;
  G group;
  int row;
  int listSize;  // 0 for edit boxes
  float lower, upper;
};

// Written out from the instrument's message list, not from the table.
const Pinned kPinned[] = {
    {"ModbusAdr", 1, K::ModbusAddress, "IDS_17", "BoxModbusAdr", "SpeedButton16", "SpeedButton17", G::Global, 0, 247, 0, 0},
    {"SdRecording", 2, K::Index, "IDS_25", "BoxMemory", "SpeedButton58", "SpeedButton59", G::Global, 2, 2, 0, 0},
    {"AdcOffset", 10, K::Float32, "IDS_38", "BoxAdcOffset", "SpeedButton21", "SpeedButton20", G::Analog, 0, 0, -999.9999f, 999.9999f},
    {"AdcCoef", 11, K::Float32, "IDS_39", "BoxAdcCoef", "SpeedButton22", "SpeedButton23", G::Analog, 1, 0, -999.9999f, 999.9999f},
    {"AdcPoint", 13, K::Index, "IDS_27", "BoxAdcPoint", "SpeedButton28", "SpeedButton29", G::Analog, 2, 5, 0, 0},
    {"EncOffset", 20, K::Float32, "IDS_36", "BoxEncOffset", "SpeedButton25", "SpeedButton24", G::Counter, 0, 0, -999.9999f, 999.9999f},
    {"EncCoef", 21, K::Float32, "IDS_37", "BoxEncCoef", "SpeedButton26", "SpeedButton27", G::Counter, 1, 0, -999.9999f, 999.9999f},
    {"EncPoint", 22, K::Index, "IDS_26", "BoxEncPoint", "SpeedButton30", "SpeedButton31", G::Counter, 2, 5, 0, 0},
    {"TensConst", 31, K::Float32, "IDS_30", "BoxTensConst", "SpeedButton3", "SpeedButton2", G::Tensometric, 0, 0, 0.0001f, 9.9999f},
    {"TensRange", 32, K::UInt32, "IDS_31", "BoxTensRange", "SpeedButton4", "SpeedButton5", G::Tensometric, 1, 0, 1, 999999},
    {"TensOffset", 33, K::Float32, "IDS_32", "BoxTensOffset", "SpeedButton6", "SpeedButton7", G::Tensometric, 2, 0, -999.9999f, 999.9999f},
    {"TensCoef", 34, K::Float32, "IDS_33", "BoxTensCoef", "SpeedButton8", "SpeedButton9", G::Tensometric, 3, 0, -999.9999f, 999.9999f},
    {"TensPoint", 35, K::Index, "IDS_18", "BoxTensPoint", "SpeedButton10", "SpeedButton11", G::Tensometric, 4, 5, 0, 0},
    {"TensUnit", 36, K::Index, "IDS_19", "BoxTensUnit", "SpeedButton12", "SpeedButton13", G::Tensometric, 5, 5, 0, 0},
    {"TensFilter", 37, K::Index, "IDS_20", "BoxTensFilter", "SpeedButton14", "SpeedButton15", G::Tensometric, 6, 40, 0, 0},
    {"TriggerSource", 40, K::Index, "IDS_21", "BoxTrigerSource", "SpeedButton40", "SpeedButton41", G::Trigger, 2, 6, 0, 0},
    {"EncReset", 41, K::Index, "IDS_22", "BoxEncReset", "SpeedButton42", "SpeedButton43", G::Trigger, 3, 2, 0, 0},
    {"TriggerStart", 42, K::Float32, "IDS_34", "BoxTrigerStart", "SpeedButton33", "SpeedButton32", G::Trigger, 0, 0, -10000, 10000},
    {"TriggerStop", 43, K::Float32, "IDS_35", "BoxTrigerStop", "SpeedButton34", "SpeedButton35", G::Trigger, 1, 0, -10000, 10000},
    {"SampleTime", 46, K::Index, "IDS_23", "BoxSampleTime", "SpeedButton44", "SpeedButton45", G::Trigger, 4, 15, 0, 0},
    {"Pk1Source", 50, K::Index, "IDS_28", "BoxPk1", "SpeedButton54", "SpeedButton55", G::Relay, 4, 3, 0, 0},
    {"Pk1On", 51, K::Float32, "IDS_40", "BoxPk1On", "SpeedButton37", "SpeedButton36", G::Relay, 0, 0, -10000, 1000},
    {"Pk1Off", 52, K::Float32, "IDS_41", "BoxPk1Off", "SpeedButton38", "SpeedButton39", G::Relay, 1, 0, -10000, 1000},
    {"Pk2Source", 54, K::Index, "IDS_29", "BoxPk2", "SpeedButton56", "SpeedButton57", G::Relay, 5, 3, 0, 0},
    {"Pk2On", 55, K::Float32, "IDS_42", "BoxPk2On", "SpeedButton46", "SpeedButton47", G::Relay, 2, 0, -10000, 1000},
    {"Pk2Off", 56, K::Float32, "IDS_43", "BoxPk2Off", "SpeedButton48", "SpeedButton49", G::Relay, 3, 0, -10000, 1000},
    {"ModbusBr", 62, K::Index, "IDS_24", "BoxModbusBr", "SpeedButton18", "SpeedButton19", G::Global, 1, 5, 0, 0},
};

TEST(ParameterTable, EveryRowAsDocumented) {
  ASSERT_EQ(Parameters().size(), std::size(kPinned));
  for (std::size_t i = 0; i < std::size(kPinned); ++i) {
    const Pinned& want = kPinned[i];
    const Parameter& p = Parameters()[i];
    SCOPED_TRACE(want.name);
    EXPECT_STREQ(p.name, want.name);
    EXPECT_EQ(p.readCode, want.readCode);
    EXPECT_EQ(p.writeCode(), want.readCode + 128);
    EXPECT_EQ(p.kind, want.kind);
    EXPECT_STREQ(p.statusId, want.status);
    EXPECT_STREQ(p.control, want.control);
    EXPECT_STREQ(p.readButton, want.readButton);
    EXPECT_STREQ(p.writeButton, want.writeButton);
    EXPECT_EQ(p.group, want.group);
    EXPECT_EQ(p.row, want.row);
    EXPECT_EQ(p.isList() ? p.choices.count() : 0, want.listSize);
    EXPECT_EQ(p.writeLength(), p.isList() ? 2u : 5u);
    if (!p.isList()) {
      // Exactly these float32 values, not merely close to them.
      EXPECT_EQ(std::memcmp(&p.lower, &want.lower, sizeof(float)), 0);
      EXPECT_EQ(std::memcmp(&p.upper, &want.upper, sizeof(float)), 0);
    }
  }
}

TEST(ParameterTable, CaptionLabels) {
  const std::pair<const char*, const char*> labels[] = {
      {"TensConst", "Label22"},    {"TensRange", "Label23"},   {"TensOffset", "Label24"},
      {"TensCoef", "Label25"},     {"TensPoint", "Label26"},   {"TensUnit", "Label27"},
      {"TensFilter", "Label28"},   {"ModbusAdr", "Label29"},   {"ModbusBr", "Label30"},
      {"SdRecording", "Label50"},  {"AdcOffset", "Label31"},   {"AdcCoef", "Label32"},
      {"AdcPoint", "Label35"},     {"EncOffset", "Label33"},   {"EncCoef", "Label34"},
      {"EncPoint", "Label36"},     {"TriggerStart", "Label37"}, {"TriggerStop", "Label38"},
      {"TriggerSource", "Label41"}, {"EncReset", "Label42"},   {"SampleTime", "Label43"},
      {"Pk1On", "Label39"},        {"Pk1Off", "Label40"},      {"Pk2On", "Label44"},
      {"Pk2Off", "Label45"},       {"Pk1Source", "Label48"},   {"Pk2Source", "Label49"}};
  ASSERT_EQ(std::size(labels), Parameters().size());
  for (const auto& [name, label] : labels) {
    int found = 0;
    for (const Parameter& p : Parameters()) {
      if (std::strcmp(p.name, name) == 0) {
        EXPECT_STREQ(p.captionLabel, label) << name;
        ++found;
      }
    }
    EXPECT_EQ(found, 1) << name;
  }
}

TEST(ParameterTable, BoundsAreTheFloat32Neighbours) {
  const Parameter& tensConst = *FindParameterByReadCode(31);
  EXPECT_EQ(static_cast<double>(tensConst.upper), 9.99989986419677734375);
  EXPECT_LT(static_cast<double>(tensConst.lower), 0.0001);
  EXPECT_GT(static_cast<double>(FindParameterByReadCode(10)->upper), 999.9998);
  EXPECT_LT(static_cast<double>(FindParameterByReadCode(10)->upper), 999.9999);
}

TEST(ParameterTable, ListEntries) {
  auto entries = [](int code) {
    std::string all;
    const Choices& c = FindParameterByReadCode(static_cast<std::uint8_t>(code))->choices;
    for (int i = 0; i < c.count(); ++i) {
      if (i > 0) all += '|';
      all += c.text(i);
    }
    return all;
  };
  EXPECT_EQ(entries(36), "g|Kg|N|KN|Pound");
  EXPECT_EQ(entries(62), "9600|19200|38400|57600|115200");
  EXPECT_EQ(entries(40), "Continuous|Pulse (IN 1)|Level (IN 1)|Tensometric input|Counter  input|Analog  input");
  EXPECT_EQ(entries(46),
            "10 [ms]|50 [ms]|100 [ms]|200 [ms]|500 [ms]|1 [s]|2 [s]|5 [s]|10 [s]|30 [s]|1[ min]|5 [min]|15[ min]|"
            "30 [min]|60 [min]");
  EXPECT_EQ(entries(50), "Tensometric|Counter|Analog");
  EXPECT_EQ(entries(2), "Inactive|Active");
  EXPECT_EQ(entries(13), "0|1|2|3|4");
  const Choices& filter = FindParameterByReadCode(37)->choices;
  EXPECT_EQ(filter.text(0), "No filtering");
  EXPECT_EQ(filter.text(1), "1");
  EXPECT_EQ(filter.text(39), "39");
  const Choices& address = FindParameterByReadCode(1)->choices;
  EXPECT_EQ(address.text(0), "1");
  EXPECT_EQ(address.text(246), "247");
}

}  // namespace
}  // namespace vestrix::protocol
