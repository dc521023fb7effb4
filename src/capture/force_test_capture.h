#pragma once

#include "capture/running_stats.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vestrix::capture {

// Which way a test's force goes: a pull rises, a push (compression) falls.
enum class Direction { Tension, Compression };

// The rules of a test's capture, on the tensometric input. For compression
// every rule is read the other way up: a test starts when the value falls
// through the start level, ends when it rises above the end level, its peak
// is its lowest value and a break is a rise of the set share of the peak
// back towards zero; the levels and limits stay the values as measured.
struct CaptureSettings {
  Direction direction = Direction::Tension;
  double startLevel = 10;            // a test starts when the value rises through it
  double endLevel = 5;               // and ends when it falls below this,
  double breakPercent = 0;           // or drops this share of its peak (0: off),
  double longestSeconds = 0;         // or has lasted this long (0: no limit)
  double preSeconds = 0.5;           // kept with the test before its start
  double postSeconds = 0.5;          // and after its end
  std::optional<double> lowerLimit;  // the peak's limits: PASS within, FAIL outside
  std::optional<double> upperLimit;
};

enum class EndReason { EndLevel, Break, Longest, Interrupted };
enum class Verdict { None, Pass, Fail };

// One test, from the sample that rose through the start level to the one
// that ended it (not part of it).
struct CapturedTest {
  int number = 0;  // from 1 in its batch
  std::int64_t startMs = 0;
  std::int64_t endMs = 0;
  std::int64_t keptFromMs = 0;  // with the samples before the start
  std::int64_t keptToMs = 0;    // and after the end
  double peak = 0;              // the largest value (compression: the lowest), and when
  std::int64_t peakMs = 0;
  double lowest = 0;  // the value furthest from the peak the other way
  double mean = 0;
  double deviation = 0;  // sample standard deviation
  std::uint64_t samples = 0;
  std::uint64_t skipped = 0;  // values that were not finite
  EndReason end = EndReason::EndLevel;
  double breakDropPercent = 0;  // by how much the break fell from the peak
  Verdict verdict = Verdict::None;

  double durationSeconds() const { return (endMs - startMs) / 1000.0; }
};

// The batch: the tests so far (an interrupted one among them, but not
// judged: it is in no count but its own, and its peak in no figure), and
// the peaks of the completed ones.
struct Batch {
  int tests = 0;
  int passed = 0;
  int failed = 0;
  int interrupted = 0;
  RunningStats peaks;
  // The limits the latest completed test was judged by.
  std::optional<double> lowerLimit;
  std::optional<double> upperLimit;
};

// Captures tests from a stream of samples, fed one by one.
//
// A test starts when the value rises from below the start level to at or
// above it. It ends when the value falls below the end level, or (break) to
// the set share below its peak or lower, or when it has lasted the longest
// time. Then capture re-arms only once the value has been below both
// levels: noise around the start level inside a test, or a value that
// stays up after a break, starts no second test.
class ForceTestCapture {
 public:
  explicit ForceTestCapture(CaptureSettings settings = {}) : settings_(settings) {}

  // Takes effect for the next test; the one under way keeps its rules.
  void setSettings(const CaptureSettings& settings) { settings_ = settings; }
  const CaptureSettings& settings() const { return settings_; }

  // One sample. True when it ended a test (the last of tests()).
  bool feed(std::int64_t timeMs, double value);
  // The samples stop (the connection ended, the file is over, capture was
  // disarmed): a test under way ends here, marked as interrupted, without a
  // verdict. True when one did. When samples come again, the next test
  // needs the value below both levels first, as when capture was first armed.
  bool interrupt();

  bool inTest() const { return open_.has_value(); }
  const std::vector<CapturedTest>& tests() const { return tests_; }
  const Batch& batch() const { return batch_; }
  // A new batch: the tests so far are forgotten, capture goes on.
  void clear();

 private:
  struct Open {
    CapturedTest test;
    RunningStats values;  // as a pull: compression's values turned over
  };
  bool step(std::int64_t timeMs, double value);
  void close(std::int64_t endMs, EndReason reason, double breakDrop);

  CaptureSettings settings_;
  CaptureSettings testSettings_;  // the rules of the test under way
  bool armed_ = false;
  std::optional<std::int64_t> since_;  // the first sample since capture could start a test
  std::int64_t lastMs_ = 0;
  std::optional<Open> open_;
  std::vector<CapturedTest> tests_;
  Batch batch_;
};

}  // namespace vestrix::capture
