// The program's measurement path, end to end and at rest.
//  end_to_end_*: the simulated instrument sends measurement messages as fast
//    as it can → reader → hand-over → decode → Display page of the real
//    window; baseline: the same messages handed straight to the window's
//    report handler, without the HID path.
//  end_to_end_recording_table_*: the same with every message recorded to
//    the file and added to the table.
//  connected_cpu_*: CPU time per second of the whole program connected to
//    the instrument at the normal 15 ms poll, with the Display page in front,
//    with the Charts page in front (live, 10 s), and with the growing table
//    in front while every message is recorded;
//    baselines: the same window with no device (idle), and the bare chain of
//    wake-ups one poll needs (timer, reader thread, queued call back) with
//    nothing else: the floor on this machine.
// BENCH_PREFIX names another run (scripts/bench runs it under Xvfb too).
#include "app/fonts.h"
#include "app/main_window.h"
#include "bench_util.h"
#include "chart/charts_page.h"
#include "hid/simulated/sim_bus.h"
#include "protocol/measurement_sample.h"
#include "record/ui/acquisition_page.h"
#include "simulated_instrument/vestrix_instrument.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <sys/resource.h>

using namespace vestrix;

namespace {

// The window's settings: English, no recording at start, in a folder of the
// benchmark's own.
QString BenchSettings(bool recording = false, bool charts = false) {
  static QTemporaryDir dir;
  const QString path = dir.filePath(recording ? "recording.ini" : charts ? "charts.ini" : "config.ini");
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    file.write("[Options]\r\nLanguage=2\r\nAutoSave=" + QByteArray(recording ? "1" : "0") + "\r\nFileName=" +
               dir.filePath("records.csv").toUtf8() + "\r\nShowCharts=" + (charts ? "1" : "0") + "\r\n");
  }
  return path;
}

// Every record into the file and the table, as a user watching a run has it.
void ShowRecording(app::TFMain& window) {
  window.TabSheet3->showInTableBox()->setChecked(true);
  window.TabSheet3->runBox()->setChecked(true);
}

std::string Name(const std::string& name) { return qEnvironmentVariable("BENCH_PREFIX").toStdString() + name; }

// Runs the event loop for a while, sleeping whenever it has nothing to do.
void Pump(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

hid::sim::Report MeasurementReport(int i) {
  protocol::MeasurementSample s;
  s.year = 2026;
  s.tensValue = 100.0f + static_cast<float>(i % 1000) / 7;
  s.counterValue = static_cast<float>(i);
  s.analogValue = 5.0f;
  const auto m = protocol::EncodeMeasurement(s);
  return sim::VestrixInstrument::InputReport({m.begin(), m.end()});
}

// CPU milliseconds per second of wall time while the event loop runs.
double CpuPerSecond(int ms) {
  const double before = CpuSeconds();
  Pump(ms);
  return (CpuSeconds() - before) * 1000.0 / (ms / 1000.0);
}

// The least a poll can cost on this machine: a 15 ms timer on the GUI
// thread wakes a reader thread, which hands an empty report back to the
// GUI thread with a queued call and waits until it has run. No device, no
// decoding, no painting: the same wake-ups a connected program needs.
double WakeupChainFloor(int ms) {
  std::mutex mutex;
  std::condition_variable wake;
  bool request = false;
  bool stop = false;
  bool handled = false;  // outlives the thread: a queued call may run after it ended
  QObject receiver;
  std::thread reader([&] {
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return request || stop; });
      if (stop) return;
      request = false;
      handled = false;
      QMetaObject::invokeMethod(
          &receiver,
          [&] {
            std::lock_guard inner(mutex);
            handled = true;
            wake.notify_all();
          },
          Qt::QueuedConnection);
      wake.wait(lock, [&] { return handled || stop; });
    }
  });
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    std::lock_guard lock(mutex);
    request = true;
    wake.notify_all();
  });
  poll.start(15);
  Pump(300);
  const double cpu = CpuPerSecond(ms);
  poll.stop();
  {
    std::lock_guard lock(mutex);
    stop = true;
  }
  wake.notify_all();
  Pump(50);  // a queued call still waiting runs before the thread is joined
  reader.join();
  return cpu;
}

}  // namespace

int main(int argc, char** argv) {
  // Offscreen unless a platform is chosen (scripts/bench also runs it under Xvfb).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  app::LoadApplicationFonts();

  for (const bool recording : {false, true}) {
    hid::sim::SimBus bus;
    hid::sim::SimDeviceSpec spec;
    spec.productString = u"VESTRIX";  // a device that only sends: no poll answers in the way
    auto device = bus.plug(spec);
    app::TFMain window(bus, BenchSettings(recording));
    if (recording) ShowRecording(window);
    Pump(100);
    window.DataTimer->stop();
    std::atomic<bool> stop = false;
    std::atomic<long> produced = 0;
    std::thread producer([&] {
      while (!stop) {
        if (device->pendingInput() < hid::sim::SimDevice::kInputQueueLimit) {
          device->queueInput(MeasurementReport(static_cast<int>(produced++)));
        } else {
          std::this_thread::yield();
        }
      }
    });
    // Each message carries its number as the counter value: the window's
    // latest sample tells how many it has handled.
    Pump(200);
    const double first = window.latestSample().counterValue;
    Pump(2000);
    const double handled = window.latestSample().counterValue - first;
    stop = true;
    producer.join();
    bench::Print(
        Name(recording ? "end_to_end_recording_table_measurements_per_second" : "end_to_end_measurements_per_second"),
        handled / 2.0, "messages/s");
    if (recording) continue;

    const auto direct = MeasurementReport(1);
    const int n = 20000;
    const auto start = bench::Clock::now();
    for (int i = 0; i < n; ++i) {
      window.HandleDeviceReport(*window.ActiveDevice(), direct[0], direct.data() + 1,
                                static_cast<std::uint16_t>(direct.size() - 1));
    }
    bench::Print(Name("direct_handler_measurements_per_second"),
                 n / std::chrono::duration<double>(bench::Clock::now() - start).count(), "messages/s");
  }

  // Connected at the 15 ms poll: the Charts page in front and the Display
  // page in front, in turn, twice, so that both see the same machine.
  {
    std::vector<double> display, charts, repaints;
    for (int round = 0; round < 2; ++round) {
      for (const bool chartsInFront : {false, true}) {
        hid::sim::SimBus bus;
        bus.plug(sim::VestrixInstrumentSpec(std::make_shared<sim::VestrixInstrument>()));
        app::TFMain window(bus, BenchSettings(false, chartsInFront));
        if (chartsInFront) window.PageControl1->setCurrentWidget(window.TabSheet2);
        window.show();
        Pump(300);
        const int painted = window.TabSheet2->plot()->repaints();
        (chartsInFront ? charts : display).push_back(CpuPerSecond(3000));
        if (chartsInFront) repaints.push_back((window.TabSheet2->plot()->repaints() - painted) / 3.0);
      }
    }
    const double d = (display[0] + display[1]) / 2;
    const double c = (charts[0] + charts[1]) / 2;
    bench::Print(Name("connected_cpu_display_ms_per_second"), d, "ms/s");
    bench::Print(Name("connected_cpu_charts_ms_per_second"), c, "ms/s");
    bench::Print(Name("connected_cpu_charts_to_display_ratio"), c / d, "x");
    bench::Print(Name("connected_charts_repaints_per_second"), (repaints[0] + repaints[1]) / 2, "repaints/s");
  }
  // The table in front, growing, with every message recorded to the file.
  {
    hid::sim::SimBus bus;
    bus.plug(sim::VestrixInstrumentSpec(std::make_shared<sim::VestrixInstrument>()));
    app::TFMain window(bus, BenchSettings(true));
    ShowRecording(window);
    window.PageControl1->setCurrentWidget(window.TabSheet3);
    window.show();
    Pump(300);
    bench::Print(Name("connected_cpu_table_recording_ms_per_second"), CpuPerSecond(3000), "ms/s");
  }
  {
    hid::sim::SimBus bus;
    app::TFMain window(bus, BenchSettings());
    window.show();
    Pump(300);
    bench::Print(Name("idle_cpu_ms_per_second"), CpuPerSecond(3000), "ms/s");
  }
  bench::Print(Name("wakeup_chain_floor_cpu_ms_per_second"), WakeupChainFloor(3000), "ms/s");
  return 0;
}
