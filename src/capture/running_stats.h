#pragma once

#include <cstdint>

namespace vestrix::capture {

// Count, mean, standard deviation, least and greatest of a stream of
// values, in one pass and numerically stable (Welford's way: no sum of
// squares that cancels when the values sit far from zero).
class RunningStats {
 public:
  void add(double value);

  std::uint64_t count() const { return count_; }
  double mean() const { return mean_; }
  // The sample standard deviation (n - 1); 0 below two values.
  double deviation() const;
  double least() const { return least_; }
  double greatest() const { return greatest_; }

 private:
  std::uint64_t count_ = 0;
  double mean_ = 0;
  double squares_ = 0;  // sum of squared distances from the running mean
  double least_ = 0;
  double greatest_ = 0;
};

}  // namespace vestrix::capture
