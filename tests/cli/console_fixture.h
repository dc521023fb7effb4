#pragma once

#include "cli/console_program.h"
#include "clock/local_clock.h"
#include "hid/simulated/sim_bus.h"
#include "protocol/measurement_sample.h"
#include "protocol/message_codes.h"
#include "protocol/parameter_table.h"
#include "simulated_instrument/demo_bus.h"
#include "simulated_instrument/vestrix_instrument.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vestrix::cli {

// What a run of the program gave.
struct ConsoleRun {
  int code = -1;
  std::string out;
  std::string err;
};

// The instrument, with measurements made up from a count: every run of the
// same number of requests sees the same values, whatever the time.
class ScriptedInstrument : public hid::sim::SimDeviceBehaviour {
 public:
  explicit ScriptedInstrument(std::shared_ptr<sim::VestrixInstrument> inner) : inner_(std::move(inner)) {}

  static protocol::MeasurementSample Sample(int k) {
    protocol::MeasurementSample s;
    s.year = 2026;
    s.month = 12;
    s.day = 10;
    s.hour = 9;
    s.minute = 15;
    s.second = k % 60;
    s.tensValue = 12.5f + 0.25f * static_cast<float>(k);
    s.counterValue = static_cast<float>(k * 3);
    s.analogValue = 10.0f - 0.125f * static_cast<float>(k);
    s.minValue = 12.5f;
    s.maxValue = s.tensValue;
    s.relay1 = static_cast<std::uint8_t>(k % 2);
    s.relay2 = static_cast<std::uint8_t>(k % 3 == 0 ? 1 : 0);
    return s;
  }

  void onOutputReport(const hid::sim::Report& report, hid::sim::SimDevice& device) override {
    if (report.size() > 1 && report[1] == protocol::kReadMeasurement) {
      const auto message = protocol::EncodeMeasurement(Sample(next_++));
      device.queueInput(sim::VestrixInstrument::InputReport({message.begin(), message.end()}));
      return;
    }
    inner_->onOutputReport(report, device);
  }

 private:
  std::shared_ptr<sim::VestrixInstrument> inner_;
  std::atomic<int> next_{0};
};

// The program run in this process, on a simulated bus of the test's
// devices, with a fixed local clock and its streams caught.
class ConsoleRunner {
 public:
  ConsoleRunner() { instrument = addInstrument(); }

  // A simulated instrument on the bus of the next run.
  std::shared_ptr<sim::VestrixInstrument> addInstrument(const std::string& path = {}) {
    auto added = std::make_shared<sim::VestrixInstrument>();
    hid::sim::SimDeviceSpec spec = sim::VestrixInstrumentSpec(added);
    spec.path = path;
    specs.push_back(spec);
    return added;
  }
  // An instrument that answers nothing.
  void makeSilent() { specs.front().behaviour = nullptr; }

  // Standard output as a test gives it: a stream and the descriptor
  // "record -" writes to; their own to close after the run.
  struct Output {
    std::FILE* stream = nullptr;
    int fd = -1;
  };

  // The program's output caught in files of the test's folder.
  ConsoleRun run(std::vector<std::string> arguments) {
    const std::string outPath = dir.filePath("stdout.caught").toStdString();
    Output output{std::fopen(outPath.c_str(), "wb"), -1};
    std::FILE* recordOut = std::fopen(dir.filePath("stdout").toStdString().c_str(), "wb");
    output.fd = ::fileno(recordOut);
    ConsoleRun result = runWith(std::move(arguments), output);
    std::fclose(recordOut);
    result.out = file("stdout.caught");
    return result;
  }

  // The program run with standard output where the test has it; standard
  // error caught. Closes the output given.
  ConsoleRun runWith(std::vector<std::string> arguments, Output output) {
    const std::string errPath = dir.filePath("stderr.caught").toStdString();
    std::FILE* err = std::fopen(errPath.c_str(), "wb");
    ConsoleEnvironment env;
    env.out = output.stream;
    env.err = err;
    env.outDescriptor = output.fd;
    env.systemPlatform = [this] {
      ++platformsMade;
      auto bus = std::make_unique<hid::sim::SimBus>();
      plugged.clear();
      for (const hid::sim::SimDeviceSpec& spec : specs) plugged.push_back(bus->plug(spec));
      for (const auto& device : shared) bus->plugShared(device);
      bus->setHolderName("vestrix-cli (this run)");
      return bus;
    };
    env.demoPlatform = [](sim::Signal signal) { return sim::MakeDemoBus(signal); };
    env.localClock = [] { return record::ClockReading{2026, 12, 10, 8, 30, 5, 7}; };
    env.unixMs = [this] { return unixMs += 15; };
    env.monotonicMs = clock::MonotonicMsNow;
    env.settingsFile = dir.filePath("config.ini");
    env.decimalSeparator = separator;
    ConsoleRun result;
    result.code = RunConsole(arguments, env);
    if (output.stream != nullptr) std::fclose(output.stream);
    std::fclose(err);
    result.err = file("stderr.caught");
    return result;
  }

  std::string file(const std::string& name) const {
    std::ifstream in(dir.filePath(QString::fromStdString(name)).toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

  // What the instrument of the last run was sent that writes a parameter.
  int writesSent() const {
    int writes = 0;
    for (const auto& device : plugged) {
      for (const hid::sim::Report& report : device->outputReports()) {
        for (const protocol::Parameter& p : protocol::Parameters()) {
          if (report.size() > 1 && report[1] == p.writeCode()) ++writes;
        }
      }
    }
    return writes;
  }
  template <class F>
  auto model(F&& f) {
    return instrument->withModel(std::forward<F>(f));
  }

  // Measurements made up from a count instead of the live signals.
  void makeScripted() { specs.front().behaviour = std::make_shared<ScriptedInstrument>(instrument); }

  QTemporaryDir dir;
  QChar separator = QLatin1Char('.');
  std::vector<hid::sim::SimDeviceSpec> specs;
  std::shared_ptr<sim::VestrixInstrument> instrument;
  std::vector<std::shared_ptr<hid::sim::SimDevice>> plugged;
  // Devices of another program's bus, seen by every run as well.
  std::vector<std::shared_ptr<hid::sim::SimDevice>> shared;
  int platformsMade = 0;
  std::int64_t unixMs = 1796900000000;
};

class ConsoleFixture : public ::testing::Test, public ConsoleRunner {};

// Lines of a text, without their ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace vestrix::cli
