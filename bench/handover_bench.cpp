// Reader → hand-over → GUI-thread handler, on a simulated device.
//  handover_latency_*: one report at a time, from queueing on the device
//    side to the handler running on the GUI thread (Qt event loop).
//  handover_reports_per_second: the device sends as fast as it can.
//  direct_*: the baseline, the same reads counted on the reader thread
//    itself without any hand-over.
#include "bench_util.h"
#include "hid/hid_device_controller.h"
#include "hid/platform.h"
#include "hid/simulated/sim_bus.h"
#include "loop/qt_gui_thread.h"

#include <QApplication>
#include <QTimer>

#include <atomic>
#include <cstring>
#include <thread>

using namespace vestrix;
using bench::Clock;

namespace {

hid::sim::Report Stamped() {
  hid::sim::Report report(64, 0);
  report[0] = 1;
  const auto now = Clock::now().time_since_epoch().count();
  std::memcpy(report.data() + 1, &now, sizeof now);
  return report;
}

double AgeMicros(const std::uint8_t* data) {
  Clock::rep stamp;
  std::memcpy(&stamp, data, sizeof stamp);
  return std::chrono::duration<double, std::micro>(Clock::now().time_since_epoch() - Clock::duration(stamp)).count();
}

// Runs the event loop until done() or the time limit.
void RunLoop(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!done() && Clock::now() < end) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void Baseline(hid::sim::SimBus& bus, const std::shared_ptr<hid::sim::SimDevice>& device) {
  int error = 0;
  auto channel = bus.openRead({device->identity(), device->spec().path}, &error);
  std::atomic<bool> stop = false;
  std::thread producer([&] {
    while (!stop) device->queueInput(Stamped());
  });
  std::vector<std::uint8_t> buffer(64);
  long count = 0;
  const auto start = Clock::now();
  while (Clock::now() - start < std::chrono::seconds(2)) {
    if (channel->read(buffer.data(), buffer.size(), 100).kind == hid::ReadResult::Data) ++count;
  }
  stop = true;
  producer.join();
  bench::Print("direct_reports_per_second", count / 2.0, "reports/s");

  std::vector<double> latencies;
  for (int i = 0; i < 2000; ++i) {
    device->queueInput(Stamped());
    if (channel->read(buffer.data(), buffer.size(), 100).kind == hid::ReadResult::Data) {
      latencies.push_back(AgeMicros(buffer.data() + 1));
    }
  }
  bench::Print("direct_latency_median", bench::Quantile(latencies, 0.5), "us");
  bench::Print("direct_latency_p99", bench::Quantile(latencies, 0.99), "us");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  loop::QtGuiThread gui;
  hid::sim::SimBus bus;
  hid::sim::SimDeviceSpec spec;
  spec.productString = u"VESTRIX";
  auto sim = bus.plug(spec);

  {
    hid::HidDeviceController controller(bus, gui);
    RunLoop([&] { return controller.deviceCount() == 1; }, std::chrono::seconds(5));
    hid::HidDevice* device = nullptr;
    controller.ClaimDeviceByIndex(device, 0);
    std::vector<double> latencies;
    long handled = 0;
    device->setReportHandler(
        hid::ReportHandler::from([&](hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t) {
          latencies.push_back(AgeMicros(data));
          ++handled;
        }));

    // One report at a time.
    for (int i = 0; i < 2000; ++i) {
      const long before = handled;
      sim->queueInput(Stamped());
      RunLoop([&] { return handled > before; }, std::chrono::seconds(1));
    }
    bench::Print("handover_latency_median", bench::Quantile(latencies, 0.5), "us");
    bench::Print("handover_latency_p99", bench::Quantile(latencies, 0.99), "us");

    // As fast as the device can send.
    std::atomic<bool> stop = false;
    std::thread producer([&] {
      while (!stop) {
        if (sim->pendingInput() < hid::sim::SimDevice::kInputQueueLimit)
          sim->queueInput(Stamped());
        else
          std::this_thread::yield();
      }
    });
    handled = 0;
    RunLoop([] { return false; }, std::chrono::seconds(2));
    const long flood = handled;
    stop = true;
    producer.join();
    bench::Print("handover_reports_per_second", flood / 2.0, "reports/s");
    controller.ReleaseDevice(device);
  }
  Baseline(bus, sim);
  return 0;
}
