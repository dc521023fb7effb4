// A record file read back in the PC's zone: each record's local time on
// its own across the changes of daylight saving (the zone set with TZ, as
// Linux's C library reads it), and runs without the clock placed next to
// the clocked ones.
#include "chart/review_loader.h"
#include "chart/review_loading.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace vestrix::chart {
namespace {

using review_test::Load;

// The PC's zone for one test, and back.
class Zone {
 public:
  explicit Zone(const char* zone) {
    const char* before = std::getenv("TZ");
    if (before != nullptr) before_ = before;
    had_ = before != nullptr;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~Zone() {
    had_ ? ::setenv("TZ", before_.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::string before_;
  bool had_ = false;
};

// Across the spring change the clock jumps from 2:00 to 3:00: a second
// apart on the clock is a second apart in time, not an hour.
TEST(ReviewLoader, EachRecordsLocalTimeReadOnItsOwnInSpring) {
  const Zone warsaw("Europe/Warsaw");
  const auto h = Load(
      "Date;Time;Tensometr;\r\n29-3-2026;1:59:59:0;1.00;\r\n29-3-2026;3:0:0:0;2.00;\r\n"
      "29-3-2026;4:0:0:0;3.00;\r\n",
      15);
  ASSERT_EQ(h->size(), 3u);
  EXPECT_EQ(h->time(0), 1774745999000);  // 00:59:59 UTC
  EXPECT_EQ(h->time(1) - h->time(0), 1000);
  EXPECT_EQ(h->time(2) - h->time(1), 3600000);
}

// In autumn the hour from 2:00 to 3:00 comes twice: read in the order the
// records came, nothing is stacked.
TEST(ReviewLoader, TheHourThatComesTwiceInAutumnIsReadInOrder) {
  const Zone warsaw("Europe/Warsaw");
  const auto h = Load(
      "Date;Time;Tensometr;\r\n25-10-2026;2:30:0:0;1.00;\r\n25-10-2026;2:59:59:999;2.00;\r\n"
      "25-10-2026;2:0:0:0;3.00;\r\n25-10-2026;2:30:0:0;4.00;\r\n25-10-2026;3:0:0:0;5.00;\r\n",
      15);
  ASSERT_EQ(h->size(), 5u);
  EXPECT_EQ(h->time(0), 1792888200000);  // 00:30 UTC: the first pass, in summer time
  EXPECT_EQ(h->time(1) - h->time(0), 1799999);
  EXPECT_EQ(h->time(2) - h->time(1), 1);  // 2:00 again, now in winter time
  EXPECT_EQ(h->time(3) - h->time(2), 1800000);
  EXPECT_EQ(h->time(4) - h->time(3), 1800000);
}

// Runs without the clock next to runs with it (the recorder writes such a
// file when the clock columns are ticked between two recordings): each on
// its own elapsed time, a period apart from its neighbours, never decades
// away.
TEST(ReviewLoader, RunsWithoutTheClockStandNextToTheClockedOnes) {
  const Zone warsaw("Europe/Warsaw");
  ReviewLoader* loader = nullptr;
  const auto h = Load(
      "No.;Tensometr;\r\n0;1.00;\r\n1;2.00;\r\n"
      "Date;Time;No.;Tensometr;\r\n10-12-2026;9:0:0:0;0;3.00;\r\n10-12-2026;9:0:0:15;1;4.00;\r\n"
      "No.;Tensometr;\r\n0;5.00;\r\n1;6.00;\r\n",
      15, &loader);
  ASSERT_EQ(h->size(), 6u);
  EXPECT_TRUE(loader->wallClock());
  const std::int64_t nine = 1796889600000;  // 10 December 2026, 9:00 in Warsaw
  EXPECT_EQ(h->time(2), nine);
  EXPECT_EQ(h->time(1), nine - 15);
  EXPECT_EQ(h->time(0), nine - 30);
  EXPECT_EQ(h->time(4), nine + 30);
  EXPECT_EQ(h->time(5), nine + 45);
  EXPECT_TRUE(h->gapBefore(2));
  EXPECT_TRUE(h->gapBefore(4));
}

}  // namespace
}  // namespace vestrix::chart
