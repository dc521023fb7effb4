#include "clock/local_clock.h"

#include "clock/local_time.h"

#include <chrono>

namespace vestrix::clock {

ClockReading LocalClockNow() {
  const auto now = std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
  return LocalClockAt(now.time_since_epoch().count());
}

ClockReading LocalClockAt(std::int64_t wallMs) {
  const std::int64_t ms = ((wallMs % 1000) + 1000) % 1000;
  const std::tm local = LocalCalendar(static_cast<std::time_t>((wallMs - ms) / 1000));
  return ClockReading{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,       local.tm_hour,
                      local.tm_min,         local.tm_sec,     static_cast<int>(ms)};
}

std::int64_t MonotonicMsNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace vestrix::clock
