// The configuration write as a pure function: typed text in, the command
// and the box's new text out, or invalid input.
#include "config/parameter_write.h"

#include "protocol/codecs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vestrix::config {
namespace {

struct WriteCase {
  const char* name;
  const char* parameter;
  const char* typed;
  QChar separator;
  std::optional<double> sent;  // none: invalid input
  const char* shown;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class EditWrites : public ::testing::TestWithParam<WriteCase> {};

TEST_P(EditWrites, ValidateClampAndEncode) {
  const WriteCase& c = GetParam();
  const protocol::Parameter& p = *protocol::FindParameterByName(c.parameter);
  const EditWrite write = EncodeEditWrite(p, QString::fromUtf8(c.typed), c.separator);
  if (!c.sent) {
    EXPECT_FALSE(write.command);
    return;
  }
  ASSERT_TRUE(write.command);
  EXPECT_EQ(write.command->length, 5u);
  EXPECT_EQ(write.command->bytes[0], p.writeCode());
  const protocol::MessageView view(write.command->bytes.data(), write.command->length);
  if (p.kind == protocol::ValueKind::UInt32) {
    EXPECT_EQ(view.uint32(1), static_cast<std::uint32_t>(*c.sent));
  } else {
    EXPECT_EQ(view.float32(1), static_cast<float>(*c.sent));
  }
  EXPECT_EQ(write.text, QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditWrites,
    ::testing::Values(WriteCase{"point", "TensOffset", "12.5", '.', 12.5, "12.5000"},
                      WriteCase{"comma", "TensOffset", "12,5", ',', 12.5, "12,5000"},
                      WriteCase{"other_separator_is_invalid", "TensOffset", "12.5", ',', std::nullopt, ""},
                      WriteCase{"relay_upper_bound", "Pk1On", "2000", '.', 1000, "1000.0000"},
                      WriteCase{"relay_lower_bound", "Pk1On", "-20000", '.', -10000, "-10000.0000"},
                      WriteCase{"rated_output_floor", "TensConst", "0", '.', 0.0001f, "0.0001"},
                      WriteCase{"rated_output_ceiling", "TensConst", "10", '.', 9.9999f, "9.9999"},
                      WriteCase{"sent_is_the_float_not_the_text", "TensCoef", "1.23456", '.', 1.23456f, "1.2346"},
                      WriteCase{"letters", "TensCoef", "12abc", '.', std::nullopt, ""},
                      WriteCase{"empty", "TensCoef", "", '.', std::nullopt, ""},
                      WriteCase{"capacity", "TensRange", "1500", '.', 1500, "1500"},
                      WriteCase{"capacity_zero", "TensRange", "0", '.', 1, "1"},
                      WriteCase{"capacity_too_large", "TensRange", "1000000", '.', 999999, "999999"},
                      WriteCase{"capacity_negative", "TensRange", "-5", '.', std::nullopt, ""},
                      WriteCase{"capacity_fraction", "TensRange", "1.5", '.', std::nullopt, ""}));

TEST(ListWrites, SendThePositionOrTheAddress) {
  const std::optional<protocol::Command> baud = EncodeListWrite(*protocol::FindParameterByName("ModbusBr"), 4);
  ASSERT_TRUE(baud);
  EXPECT_EQ(baud->length, 2u);
  EXPECT_EQ(baud->bytes[0], 190);
  EXPECT_EQ(baud->bytes[1], 4);
  const std::optional<protocol::Command> address = EncodeListWrite(*protocol::FindParameterByName("ModbusAdr"), 246);
  ASSERT_TRUE(address);
  EXPECT_EQ(address->bytes[0], 129);
  EXPECT_EQ(address->bytes[1], 247);
  // No selection: nothing the user chose to send.
  EXPECT_FALSE(EncodeListWrite(*protocol::FindParameterByName("TensPoint"), -1));
}

}  // namespace
}  // namespace vestrix::config
