#pragma once

#include "protocol/measurement_sample.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <vector>

namespace vestrix::sim {

// The instrument's clock reading.
struct InstrumentTime {
  std::uint16_t year = 2026;
  std::uint8_t month = 1;
  std::uint8_t day = 1;
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;
  std::uint8_t second = 0;
};

// What the simulated load cell feels: a slow wave, or a series of pull
// tests (rest, a ramp to a peak that varies from test to test, a sharp
// break, rest).
enum class Signal { Wave, Tests };

// The VESTRIX instrument's side of the protocol: it answers a measurement
// request with a measurement from its own clock and live signals, a read
// request with the stored value, an action with its own code; a write
// command stores its value and is not answered. Not thread-safe.
class InstrumentModel {
 public:
  InstrumentModel();

  // The answer to one message (code and payload), if any.
  std::optional<std::vector<std::uint8_t>> handle(const std::uint8_t* message, std::size_t size);

  // The clock (default: the local time of the PC).
  void setClock(std::function<InstrumentTime()> clock) { clock_ = std::move(clock); }
  // Seconds that drive the live signals (default: time since creation).
  void setSignalTime(std::function<double()> seconds) { seconds_ = std::move(seconds); }
  // Amplitude of the load-cell noise (default 0.5).
  void setNoise(double amplitude) { noise_ = amplitude; }
  void setSignal(Signal signal) { signal_ = signal; }
  // A request it leaves unanswered, as an instrument whose firmware lacks it.
  void setUnanswered(std::uint8_t readCode) { unanswered_.insert(readCode); }

  // The pull tests' timing: one every kTestCycle seconds, resting for
  // kTestRest, rising for kTestRamp, holding the peak for kTestHold, then
  // breaking at once. Their peaks, in turn.
  static constexpr double kTestCycle = 6.0;
  static constexpr double kTestRest = 2.0;
  static constexpr double kTestRamp = 2.9;
  static constexpr double kTestHold = 0.1;
  static constexpr std::array<double, 15> kTestPeaks = {612, 655, 590, 720, 480, 640, 830, 600,
                                                        700, 560, 675, 515, 760, 630, 545};

  // The stored value bytes of a parameter (4, or 1 for a list), by read code.
  std::vector<std::uint8_t> storedValue(std::uint8_t readCode) const;
  float storedFloat(std::uint8_t readCode) const;

  // A measurement now; MIN, MAX and the relays follow it.
  protocol::MeasurementSample measure();

 private:
  std::uint8_t storedIndex(std::uint8_t readCode) const;
  double rawLoad(double t);
  float sourceValue(std::uint8_t source, const protocol::MeasurementSample& s) const;
  void updateRelay(std::uint8_t& relay, std::uint8_t sourceCode, std::uint8_t onCode, std::uint8_t offCode,
                   const protocol::MeasurementSample& s);

  std::map<std::uint8_t, std::array<std::uint8_t, 4>> values_;
  std::set<std::uint8_t> unanswered_;
  std::function<InstrumentTime()> clock_;
  std::function<double()> seconds_;
  std::mt19937 random_{1234};
  double noise_ = 0.5;
  Signal signal_ = Signal::Wave;
  double tare_ = 0;
  bool minMaxValid_ = false;
  float min_ = 0;
  float max_ = 0;
  std::uint8_t relay1_ = 0;
  std::uint8_t relay2_ = 0;
};

}  // namespace vestrix::sim
