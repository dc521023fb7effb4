#include "chart/sample_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vestrix::chart {
namespace {

TEST(SampleHistory, KeepsTheNewestAndForgetsTheOldestWhenFull) {
  SampleHistory h(2, 100);
  for (int i = 0; i < 250; ++i) {
    const float v[2] = {static_cast<float>(i), static_cast<float>(-i)};
    h.append(1000 + i * 15, v);
  }
  ASSERT_EQ(h.size(), 100u);
  EXPECT_EQ(h.value(0, 0), 150.0f);
  EXPECT_EQ(h.value(1, 99), -249.0f);
  EXPECT_EQ(h.time(0), 1000 + 150 * 15);
  EXPECT_EQ(h.time(99), 1000 + 249 * 15);
  EXPECT_EQ(h.lowerBound(1000 + 200 * 15), 50u);
  EXPECT_EQ(h.lowerBound(0), 0u);
  EXPECT_EQ(h.lowerBound(1000000), 100u);
}

TEST(SampleHistory, TimesNeverGoBackAndRunsBreakTheLine) {
  SampleHistory h(1, 10);
  const float v = 1;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  h.append(100, &v);
  h.append(90, &v);  // the clock cannot go back: kept at 100
  h.append(120, &v, true);
  h.append(130, &nan);
  EXPECT_EQ(h.time(1), 100);
  EXPECT_FALSE(h.breaks(0, 1));
  EXPECT_TRUE(h.gapBefore(2));
  EXPECT_TRUE(h.breaks(0, 2));
  EXPECT_TRUE(h.breaks(0, 3));
}

// Far from its first sample a time is still exact (39 bits of milliseconds).
TEST(SampleHistory, LongRunsKeepExactTimes) {
  SampleHistory h(1, 4);
  const float v = 0;
  const std::int64_t start = 1765000000000;  // a wall-clock time
  h.append(start, &v);
  h.append(start + 86400000LL * 400, &v);  // 400 days later
  EXPECT_EQ(h.time(0), start);
  EXPECT_EQ(h.time(1), start + 86400000LL * 400);
}

TEST(SampleHistory, TheNearestSample) {
  SampleHistory h(1, 10);
  const float v = 0;
  for (const std::int64_t t : {100, 110, 130}) h.append(t, &v);
  struct Case {
    std::int64_t at;
    std::size_t nearest;
  };
  for (const Case c :
       {Case{0, 0}, Case{104, 0}, Case{105, 0}, Case{106, 1}, Case{119, 1}, Case{120, 1}, Case{121, 2}, Case{500, 2}}) {
    EXPECT_EQ(h.nearest(c.at), c.nearest) << c.at;
  }
}

TEST(SampleHistory, AtMost26BytesASample) {
  const SampleHistory h(5, 1000000);
  EXPECT_LE(h.bytesPerSample(), 26.0);
}

}  // namespace
}  // namespace vestrix::chart
