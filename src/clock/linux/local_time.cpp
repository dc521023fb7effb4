#include "clock/local_time.h"

namespace vestrix::clock {

std::tm LocalCalendar(std::time_t seconds) {
  std::tm local{};
  // localtime_r reads the zone once per process; localtime and QDateTime's
  // local time look at the zone file again on every call.
  localtime_r(&seconds, &local);
  return local;
}

}  // namespace vestrix::clock
