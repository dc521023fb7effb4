// The capture rules as typed: each within a range that capture can work
// with, the end level not above the start.
#include "capture/capture_rules.h"

#include <gtest/gtest.h>

namespace vestrix::capture {
namespace {

struct RuleCase {
  RuleField field;
  const char* text;
  bool valid;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << static_cast<int>(c.field) << " '" << c.text << "'"; }

class Rules : public ::testing::TestWithParam<RuleCase> {};

// The other rules as the defaults have them: start 10, end 5.
TEST_P(Rules, AreReadWithinTheirRange) {
  std::array<QString, kRuleFields> texts = {"10", "5", "0", "0", "0.5", "0.5", "", ""};
  texts[static_cast<std::size_t>(GetParam().field)] = QString::fromLatin1(GetParam().text);
  const RulesReading reading = ReadCaptureRules(texts, CaptureSettings{}, QLatin1Char('.'));
  EXPECT_EQ(!reading.invalid[static_cast<std::size_t>(GetParam().field)], GetParam().valid);
  EXPECT_EQ(reading.valid(), GetParam().valid);
  // Whatever was typed, the rules capture can use.
  EXPECT_LE(reading.rules.endLevel, reading.rules.startLevel);
  EXPECT_LE(reading.rules.longestSeconds, kMaxLongestSeconds);
  EXPECT_LE(reading.rules.preSeconds, kMaxKeptSeconds);
  EXPECT_LE(reading.rules.postSeconds, kMaxKeptSeconds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rules,
    ::testing::Values(RuleCase{RuleField::Longest, "86400", true}, RuleCase{RuleField::Longest, "86400.5", false},
                      RuleCase{RuleField::Longest, "1e16", false}, RuleCase{RuleField::Longest, "-1", false},
                      RuleCase{RuleField::Before, "3600", true}, RuleCase{RuleField::Before, "1e16", false},
                      RuleCase{RuleField::After, "3600.001", false}, RuleCase{RuleField::After, "0", true},
                      RuleCase{RuleField::End, "10", true}, RuleCase{RuleField::End, "10.5", false},
                      RuleCase{RuleField::End, "-1e6", true}, RuleCase{RuleField::Break, "100", true},
                      RuleCase{RuleField::Break, "100.1", false}));

// An end level above the start makes the end level invalid, whichever was
// typed last: the start stays as typed.
TEST(Rules, AnEndAboveTheStartIsTheEndsFault) {
  const std::array<QString, kRuleFields> texts = {"4", "5", "0", "0", "0.5", "0.5", "", ""};
  const RulesReading reading = ReadCaptureRules(texts, CaptureSettings{}, QLatin1Char('.'));
  EXPECT_FALSE(reading.invalid[static_cast<std::size_t>(RuleField::Start)]);
  EXPECT_TRUE(reading.invalid[static_cast<std::size_t>(RuleField::End)]);
  EXPECT_EQ(reading.rules.startLevel, 4);
  EXPECT_EQ(reading.rules.endLevel, 4);
}

// For compression the other way up: an end level below the start is the
// end's fault, one above it is right.
TEST(Rules, ForCompressionAnEndBelowTheStartIsTheEndsFault) {
  CaptureSettings current;
  current.direction = Direction::Compression;
  current.startLevel = -10;
  current.endLevel = -5;
  const RulesReading wrong =
      ReadCaptureRules({"-10", "-12", "0", "0", "0.5", "0.5", "", ""}, current, QLatin1Char('.'));
  EXPECT_TRUE(wrong.invalid[static_cast<std::size_t>(RuleField::End)]);
  EXPECT_EQ(wrong.rules.endLevel, -5);
  EXPECT_EQ(wrong.rules.direction, Direction::Compression);
  const RulesReading right = ReadCaptureRules({"-10", "-4", "0", "0", "0.5", "0.5", "", ""}, current, QLatin1Char('.'));
  EXPECT_TRUE(right.valid());
  EXPECT_EQ(right.rules.endLevel, -4);
}

}  // namespace
}  // namespace vestrix::capture
