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

struct Pinned {
  const char* name;
  int readCode;
  K kind;
  const char* status;
  int listSize;  // 0 for edit boxes
  float lower, upper;
};

// Written out from the instrument's message list, not from the table.
const Pinned kPinned[] = {
    {"ModbusAdr", 1, K::ModbusAddress, "IDS_17", 247, 0, 0},
    {"SdRecording", 2, K::Index, "IDS_25", 2, 0, 0},
    {"AdcOffset", 10, K::Float32, "IDS_38", 0, -999.9999f, 999.9999f},
    {"AdcCoef", 11, K::Float32, "IDS_39", 0, -999.9999f, 999.9999f},
    {"AdcPoint", 13, K::Index, "IDS_27", 5, 0, 0},
    {"EncOffset", 20, K::Float32, "IDS_36", 0, -999.9999f, 999.9999f},
    {"EncCoef", 21, K::Float32, "IDS_37", 0, -999.9999f, 999.9999f},
    {"EncPoint", 22, K::Index, "IDS_26", 5, 0, 0},
    {"TensConst", 31, K::Float32, "IDS_30", 0, 0.0001f, 9.9999f},
    {"TensRange", 32, K::UInt32, "IDS_31", 0, 1, 999999},
    {"TensOffset", 33, K::Float32, "IDS_32", 0, -999.9999f, 999.9999f},
    {"TensCoef", 34, K::Float32, "IDS_33", 0, -999.9999f, 999.9999f},
    {"TensPoint", 35, K::Index, "IDS_18", 5, 0, 0},
    {"TensUnit", 36, K::Index, "IDS_19", 5, 0, 0},
    {"TensFilter", 37, K::Index, "IDS_20", 40, 0, 0},
    {"TriggerSource", 40, K::Index, "IDS_21", 6, 0, 0},
    {"EncReset", 41, K::Index, "IDS_22", 2, 0, 0},
    {"TriggerStart", 42, K::Float32, "IDS_34", 0, -10000, 10000},
    {"TriggerStop", 43, K::Float32, "IDS_35", 0, -10000, 10000},
    {"SampleTime", 46, K::Index, "IDS_23", 15, 0, 0},
    {"Pk1Source", 50, K::Index, "IDS_28", 3, 0, 0},
    {"Pk1On", 51, K::Float32, "IDS_40", 0, -10000, 1000},
    {"Pk1Off", 52, K::Float32, "IDS_41", 0, -10000, 1000},
    {"Pk2Source", 54, K::Index, "IDS_29", 3, 0, 0},
    {"Pk2On", 55, K::Float32, "IDS_42", 0, -10000, 1000},
    {"Pk2Off", 56, K::Float32, "IDS_43", 0, -10000, 1000},
    {"ModbusBr", 62, K::Index, "IDS_24", 5, 0, 0},
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
    EXPECT_EQ(p.isList() ? p.choices.count() : 0, want.listSize);
    EXPECT_EQ(p.writeLength(), p.isList() ? 2u : 5u);
    if (!p.isList()) {
      // Exactly these float32 values, not merely close to them.
      EXPECT_EQ(std::memcmp(&p.lower, &want.lower, sizeof(float)), 0);
      EXPECT_EQ(std::memcmp(&p.upper, &want.upper, sizeof(float)), 0);
    }
  }
}

TEST(ParameterTable, NamesAreFoundWithoutRegardToCase) {
  EXPECT_EQ(FindParameterByName("TensConst"), FindParameterByReadCode(31));
  EXPECT_EQ(FindParameterByName("tensconst"), FindParameterByReadCode(31));
  EXPECT_EQ(FindParameterByName("MODBUSADR"), FindParameterByReadCode(1));
  EXPECT_EQ(FindParameterByName("TensConst "), nullptr);
  EXPECT_EQ(FindParameterByName(""), nullptr);
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
