#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace vestrix::bench {

using Clock = std::chrono::steady_clock;

inline void Print(const std::string& name, double value, const char* unit) {
  std::printf("%s: %.6g %s\n", name.c_str(), value, unit);
  std::fflush(stdout);
}

// The q-quantile (0..1) of the samples.
inline double Quantile(std::vector<double> samples, double q) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const std::size_t i = std::min(samples.size() - 1, static_cast<std::size_t>(q * (samples.size() - 1) + 0.5));
  return samples[i];
}

inline double MicrosSince(Clock::time_point t) {
  return std::chrono::duration<double, std::micro>(Clock::now() - t).count();
}

}  // namespace vestrix::bench
