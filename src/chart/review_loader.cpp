#include "chart/review_loader.h"

namespace vestrix::chart {

ReviewLoader::ReviewLoader(SampleHistory& history, std::int64_t periodMs)
    : history_(history), periodMs_(std::max<std::int64_t>(periodMs, 1)) {}

void ReviewLoader::runStarted(const record::ColumnChoice& columns) {
  for (int k = 0; k < record::kValueColumns; ++k) {
    if (columns[static_cast<int>(record::kValueColumn[k])]) present_[static_cast<std::size_t>(k)] = true;
  }
  newRun_ = true;
  recordInRun_ = 0;
  lastInRun_.reset();
  // A run without clock columns follows the one before, a period later.
  runStart_ = history_.empty() ? 0 : lastTime_ + periodMs_;
}

void ReviewLoader::recordRead(const record::ReadRecord& r) {
  std::int64_t time;
  if (r.clock) {
    time = localToUtc_.convert(*r.clock, lastInRun_);
    if (!wallClock_ && !history_.empty()) {
      // The runs so far had no clock: they move to end a period before this one.
      const std::int64_t shift = time - periodMs_ - lastTime_;
      history_.shiftTimes(shift);
      lastTime_ += shift;
    }
    wallClock_ = true;
  } else {
    // The reader takes numbers up to 2^31 only: the product stays far from overflow.
    time = runStart_ + (r.number ? *r.number : recordInRun_) * periodMs_;
  }
  ++recordInRun_;
  lastInRun_ = time;
  history_.append(time, r.values.data(), newRun_ && !history_.empty());
  newRun_ = false;
  lastTime_ = history_.time(history_.size() - 1);
}

}  // namespace vestrix::chart
