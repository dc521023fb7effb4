// FormatFixed next to a plain snprintf("%.4f") of the same values: both
// produce the Display page's four-decimal text for measurement-sized floats.
#include "bench_util.h"
#include "protocol/format_fixed.h"

#include <QString>

#include <cstdio>
#include <random>
#include <vector>

using namespace vestrix;

int main() {
  std::mt19937 rng(42);
  std::uniform_real_distribution<float> values(-2000.0f, 2000.0f);
  std::vector<double> samples(4096);
  for (double& v : samples) v = values(rng);

  constexpr int kRounds = 200;
  std::size_t sink = 0;
  auto start = bench::Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    for (double v : samples) sink += protocol::FormatFixed(v, 15, 4, QLatin1Char('.')).size();
  }
  const double ours = kRounds * samples.size() / std::chrono::duration<double>(bench::Clock::now() - start).count();

  start = bench::Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    for (double v : samples) {
      char buffer[64];
      const int n = std::snprintf(buffer, sizeof buffer, "%.4f", v);
      sink += QString::fromLatin1(buffer, n).size();
    }
  }
  const double baseline = kRounds * samples.size() / std::chrono::duration<double>(bench::Clock::now() - start).count();

  bench::Print("format_fixed_calls_per_second", ours, "calls/s");
  bench::Print("snprintf_format_calls_per_second", baseline, "calls/s");
  bench::Print("format_fixed_relative_speed", ours / baseline, "x");
  return sink == 0;
}
