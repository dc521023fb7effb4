#pragma once

#include "capture/force_test_capture.h"
#include "capture/running_stats.h"

#include <optional>

namespace vestrix::capture {

// How capable the process is of keeping the peaks within the limits:
//   Cp  = (upper - lower) / (6 s)
//   Cpk = min(upper - mean, mean - lower) / (3 s)
// with s the peaks' sample standard deviation. The figures rest on the
// completed tests' peaks; below kMinimumTests of them they say too little
// to be shown.
struct Capability {
  static constexpr int kMinimumTests = 5;

  enum class Missing {
    None,
    TooFewTests,  // fewer than kMinimumTests peaks
    Limits,       // not both limits set
    NoSpread,     // every peak the same: no deviation to divide by
  };

  double cp = 0;
  double cpk = 0;
  int count = 0;  // the peaks the figures rest on
  Missing missing = Missing::None;

  bool shown() const { return missing == Missing::None; }
};

Capability ProcessCapability(const RunningStats& peaks, std::optional<double> lowerLimit,
                             std::optional<double> upperLimit);
// A batch's, against the limits its latest completed test was judged by.
inline Capability ProcessCapability(const Batch& batch) {
  return ProcessCapability(batch.peaks, batch.lowerLimit, batch.upperLimit);
}

}  // namespace vestrix::capture
