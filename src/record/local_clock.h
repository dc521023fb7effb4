#pragma once

#include "record/record_line.h"

namespace vestrix::record {

// The wall clock in local time, to the millisecond. Read once per record, so
// it must be cheap: the time-zone rules are loaded once, not looked up on
// disk at every call (daylight saving still follows the loaded rules).
ClockReading LocalClockNow();

}  // namespace vestrix::record
