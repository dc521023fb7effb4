// Test capture on tables of synthetic signals, and its statistics against
// a straightforward two-pass computation.
#include "capture/force_test_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vestrix::capture {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A signal: runs of values, one sample every 15 ms.
std::vector<double> Ramp(double from, double to, int samples) {
  std::vector<double> v;
  for (int i = 0; i < samples; ++i) v.push_back(from + (to - from) * i / std::max(samples - 1, 1));
  return v;
}
std::vector<double> Flat(double value, int samples) { return std::vector<double>(samples, value); }
std::vector<double> Join(std::initializer_list<std::vector<double>> parts) {
  std::vector<double> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct Expected {
  EndReason end;
  double peak;
  std::uint64_t skipped = 0;
};

struct SignalCase {
  const char* name;
  std::vector<double> signal;
  CaptureSettings settings;
  std::vector<Expected> tests;
  bool interruptAtEnd = false;
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.name; }

CaptureSettings With(double start, double end, double breakPercent = 0, double longest = 0) {
  CaptureSettings s;
  s.startLevel = start;
  s.endLevel = end;
  s.breakPercent = breakPercent;
  s.longestSeconds = longest;
  return s;
}

class Signals : public ::testing::TestWithParam<SignalCase> {};

TEST_P(Signals, GiveTheTestsTheyHold) {
  const SignalCase& c = GetParam();
  ForceTestCapture capture(c.settings);
  std::vector<double> values;  // what each test holds, for the oracle
  std::vector<std::vector<double>> held;
  for (std::size_t i = 0; i < c.signal.size(); ++i) {
    const bool wasIn = capture.inTest();
    const bool ended = capture.feed(static_cast<std::int64_t>(i) * 15, c.signal[i]);
    if (ended) {
      held.push_back(values);
      values.clear();
    } else if (capture.inTest() && std::isfinite(c.signal[i])) {
      values.push_back(c.signal[i]);
    }
    (void)wasIn;
  }
  if (c.interruptAtEnd) {
    EXPECT_TRUE(capture.interrupt());
    held.push_back(values);
  }
  ASSERT_EQ(capture.tests().size(), c.tests.size());
  for (std::size_t k = 0; k < c.tests.size(); ++k) {
    const CapturedTest& t = capture.tests()[k];
    SCOPED_TRACE(k);
    EXPECT_EQ(t.number, static_cast<int>(k) + 1);
    EXPECT_EQ(t.end, c.tests[k].end);
    EXPECT_DOUBLE_EQ(t.peak, c.tests[k].peak);
    EXPECT_EQ(t.skipped, c.tests[k].skipped);
    // The statistics, two passes over what the test held.
    const std::vector<double>& v = held[k];
    ASSERT_EQ(t.samples, v.size());
    long double sum = 0;
    for (double x : v) sum += x;
    const long double mean = sum / v.size();
    long double squares = 0;
    for (double x : v) squares += (x - mean) * (x - mean);
    EXPECT_NEAR(t.mean, static_cast<double>(mean), 1e-9 * (1 + std::abs(t.mean)));
    EXPECT_NEAR(t.deviation, v.size() > 1 ? std::sqrt(static_cast<double>(squares / (v.size() - 1))) : 0, 1e-9);
    EXPECT_DOUBLE_EQ(t.lowest, *std::min_element(v.begin(), v.end()));
    EXPECT_GE(t.startMs - t.keptFromMs, 0);
    EXPECT_LE(t.startMs - t.keptFromMs, 500);
    EXPECT_EQ(t.keptToMs, t.endMs + 500);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Signals,
    ::testing::Values(SignalCase{"clean",
                                 Join({Flat(0, 50), Ramp(0, 100, 101), Ramp(100, 0, 101), Flat(0, 50)}),
                                 With(10, 5),
                                 {{EndReason::EndLevel, 100}}},
                      // Breaks at exactly the share of the peak; a hair above, it does not.
                      SignalCase{"break_at_exactly_the_percentage",
                                 Join({Flat(0, 10), Ramp(0, 100, 11), Flat(60, 5), Flat(0, 10)}),
                                 With(10, 5, 40),
                                 {{EndReason::Break, 100}}},
                      SignalCase{"break_just_above",
                                 Join({Flat(0, 10), Ramp(0, 100, 11), Flat(60.001, 5), Flat(0, 10)}),
                                 With(10, 5, 40),
                                 {{EndReason::Break, 100}}},  // at the fall to 0, with the 60.001s inside
                      // A plateau that never falls: the longest time ends it, and no new
                      // test starts while it stays up.
                      SignalCase{"plateau_ends_at_the_longest",
                                 Join({Flat(0, 10), Flat(50, 400)}),
                                 With(10, 5, 0, 2),
                                 {{EndReason::Longest, 50}}},
                      // Noise around the start level inside a test: one test, not many.
                      SignalCase{"noise_around_the_start",
                                 Join({Flat(0, 10), Ramp(0, 9.9, 5), Flat(10.1, 1), Flat(9.8, 1), Flat(10.2, 1),
                                       Flat(9.7, 1), Flat(10.3, 1), Flat(6, 3), Flat(0, 5)}),
                                 With(10, 5),
                                 {{EndReason::EndLevel, 10.3}}},
                      // After a break the sample stays up: no second test until it is
                      // down below both levels.
                      SignalCase{"up_after_a_break",
                                 Join({Flat(0, 5), Ramp(0, 100, 11), Flat(40, 20), Flat(80, 5), Flat(0, 5)}),
                                 With(10, 5, 50),
                                 {{EndReason::Break, 100}}},
                      SignalCase{"back_to_back",
                                 Join({Flat(0, 5), Ramp(0, 70, 8), Flat(2, 1), Ramp(0, 90, 10), Flat(0, 5)}),
                                 With(10, 5),
                                 {{EndReason::EndLevel, 70}, {EndReason::EndLevel, 90}}},
                      // Values that are not finite inside a test are skipped and counted;
                      // outside one they do nothing.
                      SignalCase{"not_finite_values",
                                 Join({Flat(kNaN, 3), Flat(0, 5), Ramp(0, 50, 6), Flat(kNaN, 2), Flat(kInf, 1),
                                       Flat(-kInf, 1), Ramp(50, 0, 6), Flat(kNaN, 3)}),
                                 With(10, 5),
                                 {{EndReason::EndLevel, 50, 4}}},
                      // The connection ends in the middle of a test: closed and marked.
                      SignalCase{"open_when_the_samples_stop",
                                 Join({Flat(0, 5), Ramp(0, 80, 20)}),
                                 With(10, 5),
                                 {{EndReason::Interrupted, 80}},
                                 true},
                      // Already loaded when capture begins: no test until it rises through.
                      SignalCase{"loaded_at_the_start",
                                 Join({Flat(50, 20), Flat(0, 5), Ramp(0, 60, 5), Flat(0, 5)}),
                                 With(10, 5),
                                 {{EndReason::EndLevel, 60}}}));

// Compression is tension the other way up: every signal above, turned over
// with its levels and limits, gives the same tests turned over (peak the
// lowest value, a break a rise back towards zero), and the same verdicts.
TEST_P(Signals, TurnedOverAreTheSameCompressionTests) {
  const SignalCase& c = GetParam();
  CaptureSettings pull = c.settings;
  pull.lowerLimit = 30;
  pull.upperLimit = 95;
  CaptureSettings push = pull;
  push.direction = Direction::Compression;
  push.startLevel = -pull.startLevel;
  push.endLevel = -pull.endLevel;
  push.lowerLimit = -*pull.upperLimit;
  push.upperLimit = -*pull.lowerLimit;
  ForceTestCapture tension(pull);
  ForceTestCapture compression(push);
  for (std::size_t i = 0; i < c.signal.size(); ++i) {
    const auto at = static_cast<std::int64_t>(i) * 15;
    EXPECT_EQ(tension.feed(at, c.signal[i]), compression.feed(at, -c.signal[i])) << i;
  }
  if (c.interruptAtEnd) {
    EXPECT_EQ(tension.interrupt(), compression.interrupt());
  }
  ASSERT_EQ(compression.tests().size(), c.tests.size());
  for (std::size_t k = 0; k < c.tests.size(); ++k) {
    const CapturedTest& t = tension.tests()[k];
    const CapturedTest& p = compression.tests()[k];
    SCOPED_TRACE(k);
    EXPECT_EQ(p.end, t.end);
    EXPECT_EQ(p.peak, -t.peak);
    EXPECT_EQ(p.peakMs, t.peakMs);
    EXPECT_EQ(p.lowest, -t.lowest);
    EXPECT_NEAR(p.mean, -t.mean, 1e-12 * (1 + std::abs(t.mean)));
    EXPECT_NEAR(p.deviation, t.deviation, 1e-12 * (1 + t.deviation));
    EXPECT_EQ(p.breakDropPercent, t.breakDropPercent);
    EXPECT_EQ(p.verdict, t.verdict);
    EXPECT_EQ(std::pair(p.startMs, p.endMs), std::pair(t.startMs, t.endMs));
  }
  EXPECT_EQ(compression.batch().passed, tension.batch().passed);
  EXPECT_EQ(compression.batch().peaks.mean(), -tension.batch().peaks.mean());
}

// A push test as a compression rig gives it: rest near zero, a fall to
// -120 and back; a pull of the same size is no compression test.
TEST(Compression, APushIsATestAndAPullIsNot) {
  CaptureSettings s = With(-10, -5);
  s.direction = Direction::Compression;
  s.lowerLimit = -130;
  s.upperLimit = -110;
  ForceTestCapture capture(s);
  const std::vector<double> signal =
      Join({Flat(0.5, 10), Ramp(0, 120, 9), Flat(0, 10), Ramp(0, -120, 13), Ramp(-120, 0, 13), Flat(0.2, 10)});
  for (std::size_t i = 0; i < signal.size(); ++i) capture.feed(static_cast<std::int64_t>(i) * 15, signal[i]);
  ASSERT_EQ(capture.tests().size(), 1u);
  const CapturedTest& t = capture.tests().front();
  EXPECT_EQ(t.peak, -120);
  EXPECT_EQ(t.end, EndReason::EndLevel);
  EXPECT_EQ(t.verdict, Verdict::Pass);
  EXPECT_EQ(t.lowest, -10);  // the value nearest rest: the start level, met exactly
}

TEST(Verdicts, AtTheLimitsExactly) {
  struct Case {
    std::optional<double> lower, upper;
    double peak;
    Verdict verdict;
  };
  for (const Case c :
       {Case{100, 200, 100, Verdict::Pass}, Case{100, 200, 200, Verdict::Pass}, Case{100, 200, 99.999, Verdict::Fail},
        Case{100, 200, 200.001, Verdict::Fail}, Case{std::nullopt, std::nullopt, 5, Verdict::None},
        Case{100, std::nullopt, 1e9, Verdict::Pass}, Case{std::nullopt, 10, 10.5, Verdict::Fail}}) {
    CaptureSettings s = With(1, 0.5);
    s.lowerLimit = c.lower;
    s.upperLimit = c.upper;
    ForceTestCapture capture(s);
    capture.feed(0, 0);
    capture.feed(15, c.peak);
    ASSERT_TRUE(capture.feed(30, 0));
    EXPECT_EQ(capture.tests().back().verdict, c.verdict) << c.peak;
  }
}

// The batch: tests, passed, failed and the peaks' statistics; cleared, a new
// batch counts from one while the test under way goes on.
TEST(Batches, CountAndCanBeginAnew) {
  CaptureSettings s = With(10, 5);
  s.lowerLimit = 50;
  s.upperLimit = 100;
  ForceTestCapture capture(s);
  std::int64_t t = 0;
  auto test = [&](double peak) {
    for (const double v : {0.0, peak, 0.0}) capture.feed(t += 15, v);
  };
  for (const double peak : {60.0, 120.0, 80.0, 40.0, 90.0}) test(peak);
  const Batch& b = capture.batch();
  EXPECT_EQ(b.tests, 5);
  EXPECT_EQ(b.passed, 3);
  EXPECT_EQ(b.failed, 2);
  EXPECT_DOUBLE_EQ(b.peaks.mean(), 78);
  EXPECT_NEAR(b.peaks.deviation(), std::sqrt((18.0 * 18 + 42 * 42 + 2 * 2 + 38 * 38 + 12 * 12) / 4), 1e-12);
  EXPECT_DOUBLE_EQ(b.peaks.least(), 40);
  EXPECT_DOUBLE_EQ(b.peaks.greatest(), 120);
  capture.feed(t += 15, 0);
  capture.feed(t += 15, 70);  // a test under way
  capture.clear();
  EXPECT_TRUE(capture.tests().empty());
  capture.feed(t += 15, 0);
  ASSERT_EQ(capture.tests().size(), 1u);
  EXPECT_EQ(capture.tests()[0].number, 1);
  EXPECT_EQ(capture.batch().tests, 1);
}

// An interrupted test has no verdict and is counted apart: its peak may
// still have been to come.
TEST(Batches, AnInterruptedTestIsNotJudged) {
  CaptureSettings s = With(10, 5);
  s.upperLimit = 50;
  ForceTestCapture capture(s);
  for (const double v : {0.0, 40.0, 0.0, 0.0, 30.0, 80.0}) capture.feed(0, v);
  ASSERT_TRUE(capture.interrupt());
  ASSERT_EQ(capture.tests().size(), 2u);
  EXPECT_EQ(capture.tests()[1].end, EndReason::Interrupted);
  EXPECT_EQ(capture.tests()[1].verdict, Verdict::None);
  EXPECT_EQ(capture.batch().tests, 2);
  EXPECT_EQ(capture.batch().passed, 1);
  EXPECT_EQ(capture.batch().failed, 0);
  EXPECT_EQ(capture.batch().interrupted, 1);
  EXPECT_EQ(capture.batch().peaks.count(), 1u);
  EXPECT_EQ(capture.batch().peaks.greatest(), 40);
}

// Samples that come again after a pause (capture disarmed, a connection
// ended) start no test until the value was below both levels, as when
// capture was first armed: in the middle of a ramp nothing starts.
TEST(Batches, AfterAPauseATestNeedsTheValueBelowFirst) {
  ForceTestCapture capture(With(10, 5));
  for (const double v : {20.0, 30.0}) capture.feed(0, v);  // armed first mid-ramp: nothing
  EXPECT_FALSE(capture.inTest());
  for (const double v : {0.0, 20.0, 0.0, 0.0}) capture.feed(0, v);
  ASSERT_EQ(capture.tests().size(), 1u);
  EXPECT_FALSE(capture.interrupt());                       // nothing under way; armed no more
  for (const double v : {20.0, 30.0}) capture.feed(0, v);  // armed again mid-ramp
  EXPECT_FALSE(capture.inTest());
  for (const double v : {0.0, 20.0}) capture.feed(0, v);
  EXPECT_TRUE(capture.inTest());
}

// New rules take effect for the next test, not the one under way.
TEST(Settings, TakeEffectForTheNextTest) {
  ForceTestCapture capture(With(10, 5));
  capture.feed(0, 0);
  capture.feed(15, 20);
  capture.setSettings(With(10, 15));
  EXPECT_FALSE(capture.feed(30, 12));  // still the old end level
  EXPECT_TRUE(capture.feed(45, 4));
  capture.feed(60, 20);
  EXPECT_TRUE(capture.feed(75, 12));  // the new one
}

// Values around a million that differ in the last places: the running
// statistics hold where a sum of squares would cancel.
TEST(RunningStats, StayExactFarFromZero) {
  std::mt19937 random(3);
  std::normal_distribution<double> noise(0, 0.01);
  RunningStats stats;
  std::vector<double> values;
  for (int i = 0; i < 100000; ++i) {
    values.push_back(1e6 + noise(random));
    stats.add(values.back());
  }
  long double sum = 0;
  for (double v : values) sum += v;
  const long double mean = sum / values.size();
  long double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  const double deviation = std::sqrt(static_cast<double>(squares / (values.size() - 1)));
  EXPECT_NEAR(stats.mean(), static_cast<double>(mean), 1e-6);  // 1e-12 of the value
  EXPECT_NEAR(stats.deviation(), deviation, deviation * 1e-6);
}

}  // namespace
}  // namespace vestrix::capture
