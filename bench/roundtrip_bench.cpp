// Round trips to the instrument through the Linux backend, as the window
// makes them: a measurement asked for and its answer waited for, one after
// the other. Run in the VM beside the Windows backend under wine
// (scripts/vm-test windows-bench), so that the two are compared on the
// same emulated machine.
//   bench_roundtrip [N]
#include "cli/instrument_session.h"
#include "hid/linux/linux_platform.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  const QCoreApplication application(argc, argv);
  const int count = argc > 1 ? std::max(1, std::stoi(argv[1])) : 1000;
  vestrix::hid::linux_hid::LinuxPlatform platform;
  vestrix::cli::InstrumentSession session(platform);
  if (session.discover() != vestrix::cli::InstrumentSession::Link::Connected || !session.awaitReader()) {
    std::fprintf(stderr, "bench_roundtrip: no instrument to talk to\n");
    return 3;
  }
  std::vector<double> times;
  const auto began = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!session.measure()) {
      std::fprintf(stderr, "bench_roundtrip: no answer to request %d\n", i + 1);
      return 5;
    }
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::sort(times.begin(), times.end());
  std::printf("round trips: %d, median %.3f ms, p99 %.3f ms, %.0f a second\n", count, times[times.size() / 2],
              times[std::min(times.size() - 1, times.size() * 99 / 100)], count / total);
  return 0;
}
