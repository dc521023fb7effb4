#include "capture/force_test_capture.h"

#include <algorithm>
#include <cmath>

namespace vestrix::capture {

namespace {

std::int64_t Milliseconds(double seconds) { return static_cast<std::int64_t>(std::llround(seconds * 1000)); }

// Compression is captured as the pull it mirrors: its values and levels
// turned over, its results turned back.
double Sign(const CaptureSettings& s) { return s.direction == Direction::Compression ? -1.0 : 1.0; }

Verdict Judge(double peak, const CaptureSettings& s) {
  if (!s.lowerLimit && !s.upperLimit) return Verdict::None;
  const bool within = (!s.lowerLimit || peak >= *s.lowerLimit) && (!s.upperLimit || peak <= *s.upperLimit);
  return within ? Verdict::Pass : Verdict::Fail;
}

}  // namespace

bool ForceTestCapture::feed(std::int64_t timeMs, double value) {
  if (!since_) since_ = timeMs;
  lastMs_ = timeMs;
  const double k = Sign(settings_);
  const double rest = std::min(k * settings_.startLevel, k * settings_.endLevel);
  if (open_) {
    if (!step(timeMs, value)) return false;
    // The sample that ended a test may already re-arm capture, never start
    // the next test itself.
    armed_ = k * value < rest;
    return true;
  }
  if (!std::isfinite(value)) return false;
  if (k * value < rest) {
    armed_ = true;
  } else if (armed_ && k * value >= k * settings_.startLevel) {
    armed_ = false;
    testSettings_ = settings_;
    open_ = Open{};
    CapturedTest& t = open_->test;
    t.startMs = t.peakMs = timeMs;
    t.keptFromMs = std::max(*since_, timeMs - Milliseconds(testSettings_.preSeconds));
    open_->values.add(k * value);
  }
  return false;
}

// A sample of a test under way; true when it ended the test. A break is
// told before the end level: a value that snaps from the peak to rest is a
// break.
bool ForceTestCapture::step(std::int64_t timeMs, double measured) {
  CapturedTest& t = open_->test;
  const CaptureSettings& s = testSettings_;
  if (!std::isfinite(measured)) {
    ++t.skipped;
    return false;
  }
  const double k = Sign(s);
  const double value = k * measured;
  // What ends the test is not part of it.
  const double peak = open_->values.greatest();
  if (s.breakPercent > 0 && peak > 0 && value <= peak * (1 - s.breakPercent / 100)) {
    close(timeMs, EndReason::Break, (peak - value) / peak * 100);
    return true;
  }
  if (value < k * s.endLevel) {
    close(timeMs, EndReason::EndLevel, 0);
    return true;
  }
  if (s.longestSeconds > 0 && timeMs - t.startMs >= Milliseconds(s.longestSeconds)) {
    close(timeMs, EndReason::Longest, 0);
    return true;
  }
  if (value > peak) t.peakMs = timeMs;
  open_->values.add(value);
  return false;
}

bool ForceTestCapture::interrupt() {
  armed_ = false;
  since_.reset();
  if (!open_) return false;
  close(lastMs_, EndReason::Interrupted, 0);
  return true;
}

void ForceTestCapture::close(std::int64_t endMs, EndReason reason, double breakDrop) {
  CapturedTest t = open_->test;
  const RunningStats& v = open_->values;
  t.number = batch_.tests + 1;
  t.endMs = endMs;
  t.keptToMs = endMs + Milliseconds(testSettings_.postSeconds);
  const double k = Sign(testSettings_);
  t.peak = k * v.greatest();
  t.lowest = k * v.least();
  t.mean = k * v.mean();
  t.deviation = v.deviation();
  t.samples = v.count();
  t.end = reason;
  t.breakDropPercent = breakDrop;
  // A test cut off is not judged: its peak may be still to come.
  t.verdict = reason == EndReason::Interrupted ? Verdict::None : Judge(t.peak, testSettings_);
  open_.reset();
  ++batch_.tests;
  if (t.verdict == Verdict::Pass) ++batch_.passed;
  if (t.verdict == Verdict::Fail) ++batch_.failed;
  if (reason == EndReason::Interrupted) {
    ++batch_.interrupted;
  } else {
    batch_.peaks.add(t.peak);
    batch_.lowerLimit = testSettings_.lowerLimit;
    batch_.upperLimit = testSettings_.upperLimit;
  }
  tests_.push_back(t);
}

void ForceTestCapture::clear() {
  tests_.clear();
  batch_ = {};
}

}  // namespace vestrix::capture
