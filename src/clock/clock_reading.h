#pragma once

namespace vestrix::clock {

// A moment as the PC's local clock tells it, to the millisecond.
struct ClockReading {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

}  // namespace vestrix::clock
