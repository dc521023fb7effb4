#include "clock/local_clock.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace vestrix::clock {
namespace {

QDateTime AsDateTime(const ClockReading& c) {
  return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second, c.millisecond));
}

// The cheap clock tells the same local time as Qt's, in the system's zone:
// read between two of Qt's readings, it lies between them.
TEST(LocalClock, ReadsTheLocalTime) {
  const QDateTime before = QDateTime::currentDateTime();
  const ClockReading now = LocalClockNow();
  const QDateTime after = QDateTime::currentDateTime();
  const QDateTime read = AsDateTime(now);
  EXPECT_LE(before, read);
  EXPECT_LE(read, after);
}

}  // namespace
}  // namespace vestrix::clock
