// Reading a hidraw device, on the same uhid device for the same time, in
// alternating rounds:
//  ours: our reader (reader thread → hand-over → handler on the GUI thread
//    of a Qt event loop);
//  hidapi_qt: what a Qt program built on hidapi gets: a thread looping on
//    hid_read_timeout that hands each report to the GUI thread with a
//    queued call; latency is taken where the GUI-thread code sees it;
//  hidapi: a bare hid_read_timeout loop that never leaves its thread (a
//    reference line: no GUI program gets its latency).
//  flood_*: the device sends as fast as it can (one thread busy sending);
//  paced_*: the device sends 8000 reports/s, the most a high-speed USB HID
//    device can (one report per 125 us microframe).
// Needs root and uhid: run it with "scripts/vm-test bench".
#include "bench_util.h"
#include "hid/hid_device_controller.h"
#include "hid/linux/linux_platform.h"
#include "loop/qt_gui_thread.h"
#include "simulated_instrument/linux/uhid_device.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <array>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include <hidapi/hidapi.h>
#include <time.h>

using namespace vestrix;

namespace {

constexpr int kPhaseSeconds = 3;
constexpr int kRounds = 3;

std::int64_t Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double AgeMicros(const std::uint8_t* stamp) {
  std::int64_t sent;
  std::memcpy(&sent, stamp, sizeof sent);
  return (Now() - sent) / 1000.0;
}

struct Result {
  long reports = 0;
  std::vector<double> latencies;
};

Result ReadOurs(hid::Platform& platform) {
  Result result;
  loop::QtGuiThread gui;
  hid::HidDeviceController controller(platform, gui);
  QEventLoop wait;
  QTimer::singleShot(500, &wait, &QEventLoop::quit);
  wait.exec();
  hid::HidDevice* device = nullptr;
  if (controller.deviceCount() < 1 || !controller.ClaimDeviceByIndex(device, 0)) return result;
  bool measuring = false;
  device->setReportHandler(
      hid::ReportHandler::from([&](hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
        if (!measuring || size < 8) return;
        ++result.reports;
        result.latencies.push_back(AgeMicros(data));
      }));
  QTimer::singleShot(200, &wait, [&] { measuring = true; });
  QTimer::singleShot(200 + kPhaseSeconds * 1000, &wait, [&] {
    measuring = false;
    wait.quit();
  });
  wait.exec();
  controller.ReleaseDevice(device);
  return result;
}

Result ReadHidapi(const std::string& node) {
  Result result;
  hid_init();
  hid_device* device = hid_open_path(node.c_str());
  if (device == nullptr) return result;
  std::uint8_t buffer[64];
  const std::int64_t begin = Now() + 200000000LL;
  const std::int64_t end = begin + kPhaseSeconds * 1000000000LL;
  for (std::int64_t now = Now(); now < end; now = Now()) {
    const int n = hid_read_timeout(device, buffer, sizeof buffer, 100);
    if (n >= 9 && now >= begin) {
      ++result.reports;
      result.latencies.push_back(AgeMicros(buffer + 1));
    }
  }
  hid_close(device);
  hid_exit();
  return result;
}

Result ReadHidapiQueued(const std::string& node) {
  Result result;
  hid_init();
  hid_device* device = hid_open_path(node.c_str());
  if (device == nullptr) return result;
  bool measuring = false;  // GUI thread
  {
    QObject receiver;  // the GUI thread's end; posted calls die with it
    std::atomic<bool> stop = false;
    std::thread reader([&] {
      std::array<std::uint8_t, 64> buffer{};
      while (!stop) {
        const int n = hid_read_timeout(device, buffer.data(), buffer.size(), 100);
        if (n < 9) continue;
        QMetaObject::invokeMethod(
            &receiver,
            [&result, &measuring, report = buffer] {
              if (!measuring) return;
              ++result.reports;
              result.latencies.push_back(AgeMicros(report.data() + 1));
            },
            Qt::QueuedConnection);
      }
    });
    QEventLoop wait;
    QTimer::singleShot(200, &wait, [&] { measuring = true; });
    QTimer::singleShot(200 + kPhaseSeconds * 1000, &wait, [&] {
      measuring = false;
      wait.quit();
    });
    wait.exec();
    stop = true;
    reader.join();
  }
  hid_close(device);
  hid_exit();
  return result;
}

void Report(const std::string& n, const Result& r) {
  bench::Print(n + "_reports_per_second", r.reports / static_cast<double>(kPhaseSeconds), "reports/s");
  bench::Print(n + "_latency_p50", bench::Quantile(r.latencies, 0.5), "us");
  bench::Print(n + "_latency_p90", bench::Quantile(r.latencies, 0.9), "us");
  bench::Print(n + "_latency_p99", bench::Quantile(r.latencies, 0.99), "us");
  bench::Print(n + "_latency_max", bench::Quantile(r.latencies, 1.0), "us");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  sim::UhidDevice flood({"VESTRIX", 0x1209, 0x0001, 0x0110, sim::InstrumentDescriptor(), "BENCH"}, nullptr);
  std::string error;
  if (!flood.create(&error)) {
    std::fprintf(stderr, "bench_hidraw: %s\n", error.c_str());
    return 1;
  }
  std::string node;
  for (int i = 0; i < 200 && node.empty(); ++i) {
    for (const auto& n : hid::linux_hid::SysfsHidraw().enumerate()) {
      if (std::filesystem::exists("/dev/" + n.name)) node = "/dev/" + n.name;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (node.empty()) {
    std::fprintf(stderr, "bench_hidraw: no hidraw node\n");
    return 1;
  }

  std::atomic<bool> stop = false;
  std::atomic<int> rate = 0;  // reports per second; 0: as fast as possible
  std::thread sender([&] {
    std::uint8_t report[64] = {1};
    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    while (!stop) {
      const int perSecond = rate;
      if (perSecond > 0) {
        next.tv_nsec += 1000000000L / perSecond;
        if (next.tv_nsec >= 1000000000L) {
          next.tv_nsec -= 1000000000L;
          ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
      }
      const std::int64_t now = Now();
      std::memcpy(report + 1, &now, sizeof now);
      flood.sendInput(report, sizeof report);
      if (perSecond == 0) clock_gettime(CLOCK_MONOTONIC, &next);
    }
  });

  hid::linux_hid::LinuxPlatform platform({"/sys", "/dev", /*watchChanges=*/false});
  for (const auto& [name, perSecond] : {std::pair<std::string, int>{"flood", 0}, {"paced", 8000}}) {
    rate = perSecond;
    Result ours, queued, hidapi;
    auto add = [](Result& total, const Result& round) {
      total.reports += round.reports;
      total.latencies.insert(total.latencies.end(), round.latencies.begin(), round.latencies.end());
    };
    for (int round = 0; round < kRounds; ++round) {  // alternate, so no side gets the warmer part
      add(ours, ReadOurs(platform));
      add(queued, ReadHidapiQueued(node));
      add(hidapi, ReadHidapi(node));
    }
    for (Result* r : {&ours, &queued, &hidapi}) r->reports /= kRounds;
    Report(name + "_ours", ours);
    Report(name + "_hidapi_qt", queued);
    Report(name + "_hidapi", hidapi);
    bench::Print(name + "_ratio_reports_per_second_ours_to_hidapi_qt",
                 queued.reports ? static_cast<double>(ours.reports) / queued.reports : 0, "x");
    for (const double q : {0.5, 0.99}) {
      bench::Print(name + (q == 0.5 ? "_ratio_latency_p50_ours_to_hidapi_qt" : "_ratio_latency_p99_ours_to_hidapi_qt"),
                   bench::Quantile(ours.latencies, q) / std::max(1e-9, bench::Quantile(queued.latencies, q)), "x");
    }
  }
  stop = true;
  sender.join();
  return 0;
}
