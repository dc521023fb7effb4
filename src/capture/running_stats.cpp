#include "capture/running_stats.h"

#include <algorithm>
#include <cmath>

namespace vestrix::capture {

void RunningStats::add(double value) {
  ++count_;
  const double delta = value - mean_;
  mean_ += delta / static_cast<double>(count_);
  squares_ += delta * (value - mean_);
  least_ = count_ == 1 ? value : std::min(least_, value);
  greatest_ = count_ == 1 ? value : std::max(greatest_, value);
}

double RunningStats::deviation() const {
  return count_ < 2 ? 0 : std::sqrt(std::max(squares_, 0.0) / static_cast<double>(count_ - 1));
}

}  // namespace vestrix::capture
