#pragma once

#include "clock/clock_reading.h"

#include <cstdint>

namespace vestrix::clock {

// The wall clock in local time, to the millisecond. Read once per record, so
// it must be cheap: the time-zone rules are loaded once, not looked up on
// disk at every call (daylight saving still follows the loaded rules).
ClockReading LocalClockNow();
// The local time of a moment, in milliseconds since the epoch.
ClockReading LocalClockAt(std::int64_t wallMs);

// Milliseconds of a clock that never goes back (for retries and checks
// spaced in time).
std::int64_t MonotonicMsNow();

}  // namespace vestrix::clock
