#include "clock/local_clock.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <ctime>

namespace vestrix::clock {
namespace {

QDateTime AsDateTime(const ClockReading& c) {
  return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second, c.millisecond));
}

// In any zone TZ names (how Linux users and tests choose one), the cheap
// clock tells the same local time as Qt's: read between two of Qt's
// readings, it lies between them. Windows' zone is the system's, not TZ's.
TEST(LocalClock, FollowsTheZoneTzNames) {
  for (const char* zone : {"UTC0", "CET-1CEST,M3.5.0,M10.5.0/3", "NZST-12NZDT,M9.5.0,M4.1.0/3"}) {
    qputenv("TZ", zone);
    tzset();
    const QDateTime before = QDateTime::currentDateTime();
    const ClockReading now = LocalClockNow();
    const QDateTime after = QDateTime::currentDateTime();
    const QDateTime read = AsDateTime(now);
    EXPECT_LE(before, read) << zone;
    EXPECT_LE(read, after) << zone;
  }
  qunsetenv("TZ");
  tzset();
}

}  // namespace
}  // namespace vestrix::clock
