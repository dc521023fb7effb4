#include "record/local_clock.h"

#include <chrono>
#include <ctime>

namespace vestrix::record {

ClockReading LocalClockNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return LocalClockAt(std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000);
}

ClockReading LocalClockAt(std::int64_t wallMs) {
  const std::int64_t ms = ((wallMs % 1000) + 1000) % 1000;
  const time_t seconds = static_cast<time_t>((wallMs - ms) / 1000);
  std::tm local{};
  // localtime_r reads the zone once per process; localtime and QDateTime's
  // local time look at the zone file again on every call.
  localtime_r(&seconds, &local);
  return ClockReading{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,       local.tm_hour,
                      local.tm_min,         local.tm_sec,     static_cast<int>(ms)};
}

std::int64_t MonotonicMsNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace vestrix::record
