#include "chart/cursor_difference.h"

#include <gtest/gtest.h>

#include <limits>

namespace vestrix::chart {
namespace {

TEST(CursorDifference, TimeValueAndSlopeAsWritten) {
  const struct {
    CursorPoint from, to;
    const char* unit;
    char separator;
    const char* time;
    const char* value;
  } cases[] = {
      {{1000, 100}, {2234, 112.3456}, "N", '.', "\u0394t 1.234 s", "\u0394 12.3456 N, 10.0045 N/s"},
      {{2234, 112.3456}, {1000, 100}, "N", ',', "\u0394t -1,234 s", "\u0394 -12,3456 N, 10,0045 N/s"},
      {{0, 5}, {500, 0}, "", '.', "\u0394t 0.500 s", "\u0394 -5.0000, -10.0000 /s"},
      {{700, 5}, {700, 9}, "kg", '.', "\u0394t 0.000 s", "\u0394 4.0000 kg"},  // no time: no slope
  };
  for (const auto& c : cases) {
    const CursorDifference d = Difference(c.from, c.to);
    EXPECT_EQ(TimeDifferenceText(d.seconds, QLatin1Char(c.separator)), QString::fromUtf8(c.time));
    EXPECT_EQ(ValueDifferenceText(d, QString::fromUtf8(c.unit), QLatin1Char(c.separator)), QString::fromUtf8(c.value));
  }
}

TEST(CursorDifference, AValueThatIsNotANumberHasNoSlope) {
  const CursorDifference d = Difference({0, 1}, {1000, std::numeric_limits<double>::quiet_NaN()});
  EXPECT_FALSE(d.slopePerSecond);
}

}  // namespace
}  // namespace vestrix::chart
