#include "capture/process_capability.h"

#include <algorithm>

namespace vestrix::capture {

Capability ProcessCapability(const RunningStats& peaks, std::optional<double> lowerLimit,
                             std::optional<double> upperLimit) {
  Capability c;
  c.count = static_cast<int>(std::min<std::uint64_t>(peaks.count(), 1u << 30));
  if (!lowerLimit || !upperLimit) {
    c.missing = Capability::Missing::Limits;
  } else if (c.count < Capability::kMinimumTests) {
    c.missing = Capability::Missing::TooFewTests;
  } else if (!(peaks.deviation() > 0)) {
    c.missing = Capability::Missing::NoSpread;
  } else {
    const double s = peaks.deviation();
    c.cp = (*upperLimit - *lowerLimit) / (6 * s);
    c.cpk = std::min(*upperLimit - peaks.mean(), peaks.mean() - *lowerLimit) / (3 * s);
  }
  return c;
}

}  // namespace vestrix::capture
