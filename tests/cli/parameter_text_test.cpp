#include "cli/parameter_text.h"

#include "protocol/parameter_table.h"

#include <gtest/gtest.h>

#include <variant>

namespace vestrix::cli {
namespace {

struct WriteCase {
  const char* parameter;
  const char* typed;
  const char* sent;     // nullptr: refused
  const char* clamped;  // the typed value when clamped
};

class ValueWrites : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ValueWrites, FollowTheConfigurationPagesRules) {
  const WriteCase& c = GetParam();
  const protocol::Parameter& p = *protocol::FindParameterByName(c.parameter);
  const std::variant<ValueWrite, std::string> result = ParseValueWrite(p, c.typed);
  if (c.sent == nullptr) {
    ASSERT_TRUE(std::holds_alternative<std::string>(result));
    EXPECT_NE(std::get<std::string>(result).find(p.name), std::string::npos);
    return;
  }
  ASSERT_TRUE(std::holds_alternative<ValueWrite>(result)) << std::get<std::string>(result);
  const ValueWrite& write = std::get<ValueWrite>(result);
  EXPECT_EQ(write.sent, c.sent);
  EXPECT_EQ(write.clampedFrom.value_or(""), c.clamped ? c.clamped : "");
  EXPECT_EQ(write.command.bytes[0], p.writeCode());
  EXPECT_EQ(write.command.length, p.writeLength());
  // What is sent reads back as what was said to be sent.
  EXPECT_EQ(ValueWords(SentValue(p, write.command)), c.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueWrites,
    ::testing::Values(WriteCase{"TensCoef", "1.5", "1.5", nullptr}, WriteCase{"tenscoef", " 2.25 ", "2.25", nullptr},
                      WriteCase{"TensCoef", "0.1", "0.1", nullptr},    // the nearest float, not a clamp
                      WriteCase{"TensCoef", "1,5", nullptr, nullptr},  // numbers are written with a point
                      WriteCase{"TensCoef", "abc", nullptr, nullptr}, WriteCase{"TensCoef", "", nullptr, nullptr},
                      WriteCase{"TensCoef", "1e40", "999.9999", "1e40"},
                      WriteCase{"TensCoef", "-1000", "-999.9999", "-1000"},
                      WriteCase{"TensRange", "2000000", "999999", "2000000"}, WriteCase{"TensRange", "0", "1", "0"},
                      WriteCase{"TensRange", "-5", nullptr, nullptr}, WriteCase{"TensRange", "1.5", nullptr, nullptr},
                      WriteCase{"TensRange", "500", "500", nullptr}, WriteCase{"TensUnit", "kg", "Kg", nullptr},
                      WriteCase{"TensUnit", "1", "Kg", nullptr}, WriteCase{"TensUnit", "9", nullptr, nullptr},
                      WriteCase{"TensUnit", "stone", nullptr, nullptr},
                      WriteCase{"SampleTime", "100[ms]", "100 [ms]", nullptr},
                      WriteCase{"ModbusAdr", "247", "247", nullptr}, WriteCase{"ModbusAdr", "0", nullptr, nullptr},
                      WriteCase{"ModbusAdr", "248", nullptr, nullptr}));

TEST(ValueWords, ListsByTheirTextAndBytesOutsideTheListByTheirValue) {
  const protocol::Parameter& unit = *protocol::FindParameterByName("TensUnit");
  protocol::ParameterValue value;
  value.parameter = &unit;
  value.byte = 2;
  EXPECT_EQ(ValueWords(value), "N");
  value.byte = 200;
  EXPECT_EQ(ValueWords(value), "(200)");
  EXPECT_FALSE(EntryText(unit, 200));
}

}  // namespace
}  // namespace vestrix::cli
