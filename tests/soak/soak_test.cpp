// Long runs on the simulated bus: the instrument unplugged and plugged back
// at random moments while the window polls, records every message and fills
// the table; and seeded runs with faults at the platform seam. The numbers
// of cycles and seeds come from VESTRIX_SOAK_CYCLES and VESTRIX_FAULT_SEEDS
// (scripts/soak runs the long version).
#include "hid/hid_device.h"
#include "hid/hid_device_read_thread.h"
#include "record/ui/acquisition_page.h"
#include "record/ui/acquisition_table_model.h"

#include "support/faulty_platform.h"
#include "support/process_resources.h"
#include "support/watchdog.h"
#include "support/window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>

#include <atomic>
#include <cstdio>
#include <random>
#include <thread>

namespace vestrix {
namespace {

using testing::PumpUntil;

int EnvCount(const char* name, int fallback) {
  bool ok = false;
  const int n = qEnvironmentVariableIntValue(name, &ok);
  return ok && n > 0 ? n : fallback;
}

using testing::OpenDescriptors;
using testing::Threads;

// The connection state after a device-change pass: one of the three the
// user can see, never a mix.
::testing::AssertionResult InOneOfTheThreeStates(app::TFMain& window) {
  const hid::HidDevice* active = window.ActiveDevice();
  const QString panel = window.StatusBar->panelText(1);
  const QString online = window.LookupMessage(QStringLiteral("IDS_1"));
  const QString offline = window.LookupMessage(QStringLiteral("IDS_2"));
  const bool timer = window.DataTimer->isActive();
  const int flag = window.DeviceConnected;
  // Connected: the instrument was opened for read and write when the pass
  // ran; a later opening of its handle may have failed since.
  if (active && active->reportHandler() && flag == 255 && timer && panel == online) {
    return ::testing::AssertionSuccess();  // connected
  }
  if (flag == 0 && !timer && panel == offline && (!active || !active->reportHandler())) {
    return ::testing::AssertionSuccess();  // not connected, with or without a found instrument
  }
  return ::testing::AssertionFailure() << "mixed state: active " << (active != nullptr) << " (read/write "
                                       << (active && active->OpenedForReadWrite()) << ", handler "
                                       << (active && active->reportHandler()) << "), flag " << flag << ", timer "
                                       << timer << ", panel '" << panel.toStdString() << "'";
}

// A measurement newer than the one shown reaches the window: the simulated
// load cell's noise makes every measurement differ from the one before.
bool FreshMeasurement(app::TFMain& window) {
  const float before = window.latestSample().tensValue;
  return PumpUntil([&] { return window.latestSample().tensValue != before; });
}

class Soak : public testing::WindowFixture {
 protected:
  bool connectedWithFreshMeasurement() {
    return PumpUntil([&] { return connected(); }) && FreshMeasurement(*window);
  }

  // Every line complete, numbered without a gap from 0 after the header.
  void expectCompleteNumberedLines(const QString& path, int* records) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray all = file.readAll();
    ASSERT_TRUE(all.endsWith("\r\n"));
    QList<QByteArray> lines = all.split('\n');
    lines.removeLast();  // after the last line end
    ASSERT_FALSE(lines.isEmpty());
    const QList<QByteArray> header = lines.front().chopped(1).split(';');
    const qsizetype numberColumn = header.indexOf("No.");
    ASSERT_GE(numberColumn, 0) << lines.front().toStdString();
    for (qsizetype i = 1; i < lines.size(); ++i) {
      ASSERT_TRUE(lines[i].endsWith('\r')) << "line " << i;
      const QList<QByteArray> fields = lines[i].chopped(1).split(';');
      ASSERT_EQ(fields.size(), header.size()) << "line " << i << ": " << lines[i].toStdString();
      ASSERT_EQ(fields[numberColumn].toLongLong(), i - 1) << "line " << i;
    }
    *records = static_cast<int>(lines.size() - 1);
  }
};

TEST_F(Soak, PlugUnplugWhilePollingAndRecording) {
  const int cycles = EnvCount("VESTRIX_SOAK_CYCLES", 500);
  const unsigned seed = static_cast<unsigned>(EnvCount("VESTRIX_SOAK_SEED", 1));
  std::printf("soak: %d cycles, seed %u (VESTRIX_SOAK_SEED repeats it)\n", cycles, seed);
  testing::Watchdog watchdog(std::chrono::seconds(30 + cycles / 5), "soak");
  std::mt19937 random(seed);

  start();
  const int baseDescriptors = OpenDescriptors();  // the record file not yet open
  window->TabSheet3->showInTableBox()->setChecked(true);
  window->TabSheet3->runBox()->setChecked(true);
  // One connection first, so that a thread the system starts once and keeps
  // (one that the first reader or record file brings about) belongs to the
  // base: what is checked is that the cycles leave nothing behind.
  auto instrument = plugInstrument();
  ASSERT_TRUE(connectedWithFreshMeasurement());
  bus.unplug(instrument);
  ASSERT_TRUE(PumpUntil([&] { return disconnected() && hid::HidDevice::liveCount() == 0; }));
  // At most this many at the end: the reader's thread may still be on its way out.
  const int baseThreads = Threads();
  const int baseDevices = hid::HidDevice::liveCount();
  instrument = bus.plug(sim::VestrixInstrumentSpec(instruments.front()));
  std::vector<std::shared_ptr<hid::sim::SimDevice>> others;
  int reconnects = 0;
  int peakDescriptors = 0;
  int peakThreads = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    ASSERT_TRUE(connectedWithFreshMeasurement()) << "cycle " << cycle << ": no reconnect after the plug";
    if (cycle > 0) ++reconnects;
    peakDescriptors = std::max(peakDescriptors, OpenDescriptors());
    peakThreads = std::max(peakThreads, Threads());
    // Other devices come and go now and then.
    if (random() % 4 == 0) others.push_back(bus.plug(testing::DeviceSpec(u"Keyboard", 0x046d, 0xc31c)));
    if (!others.empty() && random() % 4 == 0) {
      bus.unplug(others.back());
      others.pop_back();
    }
    // The unplug comes from another thread at a random moment, while the
    // window polls and the reader hands reports over.
    const auto delay = std::chrono::microseconds(random() % 30000);
    std::atomic<bool> unplugged = false;
    std::thread unplugger([&] {
      std::this_thread::sleep_for(delay);
      bus.unplug(instrument);
      unplugged = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return unplugged.load() && disconnected(); }, 5000)) << "cycle " << cycle;
    unplugger.join();
    ASSERT_TRUE(InOneOfTheThreeStates(*window)) << "cycle " << cycle;
    peakDescriptors = std::max(peakDescriptors, OpenDescriptors());
    peakThreads = std::max(peakThreads, Threads());
    instrument = bus.plug(sim::VestrixInstrumentSpec(instruments.front()));
  }
  ASSERT_TRUE(connectedWithFreshMeasurement());
  ++reconnects;

  // Recording ends; everything goes; the process is back where it started.
  window->TabSheet3->runBox()->setChecked(false);
  bus.unplug(instrument);
  for (const auto& other : others) bus.unplug(other);
  // Within the time the system's own worker threads take to end when idle
  // (Windows' thread pool, behind the event waits, keeps one a few seconds).
  EXPECT_TRUE(PumpUntil(
      [&] {
        return disconnected() && window->deviceLines().empty() && hid::HidDevice::liveCount() == baseDevices &&
               OpenDescriptors() == baseDescriptors && hid::HidDeviceReadThread::running() == 0 &&
               (testing::SystemKeepsThreadsOfItsOwn() || Threads() <= baseThreads);
      },
      30000))
      << "devices " << hid::HidDevice::liveCount() << "/" << baseDevices << ", descriptors " << OpenDescriptors() << "/"
      << baseDescriptors << ", threads " << Threads() << "/" << baseThreads;

  int records = 0;
  expectCompleteNumberedLines(settings.folder() + "/data.csv", &records);
  EXPECT_EQ(window->TabSheet3->rows()->rowCount(), records);
  EXPECT_EQ(reconnects, cycles);
  std::printf(
      "soak: %d cycles, %d reconnects, %d records checked, peak %d descriptors (base %d), "
      "peak %d threads (base %d)\n",
      cycles, reconnects, records, peakDescriptors, baseDescriptors, peakThreads, baseThreads);
}

// Faults at the platform seam: every pass ends in one of the three states,
// and once the faults stop the instrument is connected again.
TEST_F(Soak, SeededFaultsAtThePlatformSeam) {
  const int seeds = EnvCount("VESTRIX_FAULT_SEEDS", 200);
  const int firstSeed = EnvCount("VESTRIX_FAULT_FIRST_SEED", 1);
  testing::Watchdog watchdog(std::chrono::seconds(30 + seeds / 5), "fault injection");
  int reconnects = 0;
  for (int seed = firstSeed; seed < firstSeed + seeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " (VESTRIX_FAULT_FIRST_SEED=" + std::to_string(seed) +
                 " VESTRIX_FAULT_SEEDS=1 repeats it)");
    std::mt19937 random(static_cast<unsigned>(seed));
    hid::sim::SimBus simBus;
    testing::FaultyPlatform platform(simBus, static_cast<std::uint64_t>(seed));
    platform.setFaultRate(0.05 + 0.4 * (random() % 100) / 100.0);
    auto instrumentModel = std::make_shared<sim::VestrixInstrument>();
    auto instrument = simBus.plug(sim::VestrixInstrumentSpec(instrumentModel));
    std::shared_ptr<hid::sim::SimDevice> other;
    {
      app::TFMain faulty(platform, settings.path());
      // The start-up pass, posted by the window as it is built, has run: till
      // then the status bar has no connection state at all (the wake that
      // runs it may take a while on a loaded machine, under wine longer).
      ASSERT_TRUE(PumpUntil([&] { return !faulty.StatusBar->panelText(1).isEmpty(); }));
      for (int step = 0; step < 10; ++step) {
        switch (random() % 4) {
          case 0:
            simBus.unplug(instrument);
            instrument = simBus.plug(sim::VestrixInstrumentSpec(instrumentModel));
            break;
          case 1:
            if (other) {
              simBus.unplug(other);
              other.reset();
            } else {
              other = simBus.plug(testing::DeviceSpec(u"Mouse"));
            }
            break;
          case 2: simBus.notifyUnrelatedChange(); break;
          default: break;
        }
        testing::PumpFor(static_cast<int>(random() % 10));
        ASSERT_TRUE(InOneOfTheThreeStates(faulty));
      }
      // The faults stop. Connected, measurements flow again by themselves;
      // and the next change of the devices connects in any case.
      platform.setFaultRate(0);
      if (faulty.DeviceConnected == 255) {
        ASSERT_TRUE(FreshMeasurement(faulty));
      }
      simBus.unplug(instrument);
      instrument = simBus.plug(sim::VestrixInstrumentSpec(instrumentModel));
      ASSERT_TRUE(PumpUntil([&] { return faulty.DeviceConnected == 255 && faulty.DataTimer->isActive(); }));
      ASSERT_TRUE(FreshMeasurement(faulty));
      ASSERT_TRUE(InOneOfTheThreeStates(faulty));
      ++reconnects;
    }
  }
  std::printf("fault injection: %d seeds from %d, %d reconnects after the faults stopped\n", seeds, firstSeed,
              reconnects);
}

}  // namespace
}  // namespace vestrix
