#include "clock/local_time.h"

namespace vestrix::clock {

std::tm LocalCalendar(std::time_t seconds) {
  std::tm local{};
  localtime_s(&local, &seconds);
  return local;
}

}  // namespace vestrix::clock
