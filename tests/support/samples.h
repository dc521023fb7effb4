#pragma once

#include "protocol/measurement_sample.h"

namespace vestrix::testing {

// A measurement of 9 January 2015, 14:05:09, with values that show the
// formatting rules.
inline protocol::MeasurementSample ScriptedSample() {
  protocol::MeasurementSample s;
  s.year = 2015;
  s.month = 1;
  s.day = 9;
  s.hour = 14;
  s.minute = 5;
  s.second = 9;
  s.tensValue = 12.5f;
  s.counterValue = -0.00004f;
  s.analogValue = 1234.56789f;
  s.minValue = -7.125f;
  s.maxValue = 99999;
  s.relay1 = 2;
  s.relay2 = 0;
  return s;
}

}  // namespace vestrix::testing
