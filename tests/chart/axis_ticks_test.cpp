#include "chart/axis_ticks.h"

#include "support/qt_print.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vestrix::chart {
namespace {

TEST(ValueTicks, StepsOfOneTwoFive) {
  struct Case {
    double range;
    int ticks;
    double step;
  };
  for (const Case c : {Case{10, 10, 1}, Case{10, 5, 2}, Case{10, 3, 5}, Case{1, 10, 0.1}, Case{0.07, 10, 0.01},
                       Case{1234, 8, 200}, Case{1e6, 4, 5e5}, Case{0, 5, 1}}) {
    EXPECT_DOUBLE_EQ(NiceStep(c.range, c.ticks), c.step) << c.range << " / " << c.ticks;
  }
}

TEST(ValueTicks, LabelsWithTheDecimalsTheStepNeeds) {
  auto labels = [](double low, double high, int ticks, QChar separator) {
    QStringList all;
    for (const ValueTick& t : ValueTicks(low, high, ticks, separator)) all << t.label;
    return all;
  };
  EXPECT_EQ(labels(0, 10, 5, '.'), QStringList({"0", "2", "4", "6", "8", "10"}));
  EXPECT_EQ(labels(-1, 1, 4, ','), QStringList({"-1,0", "-0,5", "0,0", "0,5", "1,0"}));
  EXPECT_EQ(labels(0.12, 0.19, 7, '.'), QStringList({"0.12", "0.13", "0.14", "0.15", "0.16", "0.17", "0.18", "0.19"}));
  EXPECT_TRUE(labels(1, 1, 5, '.').isEmpty());
}

TEST(ValueTicks, AnAutomaticRangeIsWholeSteps) {
  const ValueRange r = NiceRange(3.2, 97.1, 10);
  EXPECT_DOUBLE_EQ(r.low, 0);
  EXPECT_DOUBLE_EQ(r.high, 100);
  const ValueRange flat = NiceRange(5, 5, 10);
  EXPECT_LT(flat.low, 5);
  EXPECT_GT(flat.high, 5);
  const ValueRange none = NiceRange(INFINITY, -INFINITY, 10);
  EXPECT_LT(none.low, none.high);
}

TEST(TimeTicks, StepsFromMillisecondsToDays) {
  struct Case {
    std::int64_t span;
    int ticks;
    std::int64_t step;
  };
  for (const Case c :
       {Case{40, 6, 10}, Case{900, 6, 200}, Case{10000, 6, 2000}, Case{60000, 6, 10000}, Case{60001, 6, 15000},
        Case{600000, 6, 120000}, Case{3600000, 6, 600000}, Case{3600001, 6, 900000}, Case{86400000, 6, 6 * 3600000},
        Case{7 * 86400000LL, 6, 2 * 86400000LL}}) {
    EXPECT_EQ(TimeStep(c.span, c.ticks), c.step) << c.span;
  }
}

// In a zone one hour east of UTC: ticks on whole steps of the local clock.
TEST(TimeTicks, LabelsAsTheLocalClockShowsThem) {
  const auto plusOneHour = [](std::int64_t) { return std::int64_t{3600000}; };
  auto labels = [&](std::int64_t from, std::int64_t to, int ticks, bool elapsed = false) {
    QStringList all;
    for (const TimeTick& t : TimeTicks(from, to, ticks, plusOneHour, '.', elapsed)) all << t.label;
    return all;
  };
  // 2025-12-10 07:59:58 UTC is 08:59:58 local.
  const std::int64_t at = 1765353598000;
  EXPECT_EQ(labels(at, at + 6000, 6),
            QStringList({"8:59:58", "8:59:59", "9:00:00", "9:00:01", "9:00:02", "9:00:03", "9:00:04"}));
  EXPECT_EQ(labels(at, at + 30 * 60000, 6), QStringList({"9:00", "9:05", "9:10", "9:15", "9:20", "9:25"}));
  EXPECT_EQ(labels(at + 2, at + 50, 5),
            QStringList({"8:59:58.01", "8:59:58.02", "8:59:58.03", "8:59:58.04", "8:59:58.05"}));
  // Local midnight shows the date.
  const std::int64_t midnight = 1765407600000;  // 2025-12-11 00:00 local
  EXPECT_EQ(labels(midnight - 3600000, midnight + 3600000, 4).mid(2, 2), QStringList({"11-12", "0:30"}));
  // Counted from a start: durations.
  EXPECT_EQ(labels(0, 3 * 3600000, 3, true), QStringList({"0:00", "1:00", "2:00", "3:00"}));
  // Over weeks and months the dates carry their year.
  const QStringList months = labels(midnight, midnight + 120 * 86400000LL, 5);
  ASSERT_FALSE(months.isEmpty());
  EXPECT_EQ(months.front(), "18-12-2025") << months.join(' ').toStdString();
  EXPECT_EQ(months.back(), "9-4-2026") << months.join(' ').toStdString();
  EXPECT_EQ(labels(midnight - 3600000, midnight + 3 * 86400000LL, 4).value(0), "11-12");  // days: no year
}

}  // namespace
}  // namespace vestrix::chart
