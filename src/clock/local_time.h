#pragma once

#include <ctime>

namespace vestrix::clock {

// The calendar fields of a moment in the PC's zone, as the C library has
// them. The zone's rules are read once per process, not at every call
// (each system brings its own way to that).
std::tm LocalCalendar(std::time_t seconds);

}  // namespace vestrix::clock
