#include "record/recorder.h"

namespace vestrix::record {

std::uint32_t RateDivider(int periodPosition) {
  static constexpr std::uint32_t kDividers[] = {0, 5, 50, 300, 3000};
  if (periodPosition < 0 || periodPosition >= static_cast<int>(std::size(kDividers))) return 0;
  return kDividers[periodPosition];
}

RecordingState::RecordingState(std::function<ClockReading()> clock, std::function<std::int64_t()> monotonicMs)
    : clock_(std::move(clock)), file_(std::move(monotonicMs)) {}

void RecordingState::runChanged(bool running) {
  if (!running) file_.close();
  headerPending_ = running;
  runStartPending_ = running;
  headerColumns_.reset();
}

QByteArray RecordingState::BuildRecordLine(const protocol::MeasurementSample& sample, const RecordSetup& options) {
  const ClockReading now = clock_();
  QByteArray line;
  headerInLine_ = headerPending_;
  if (headerPending_) {
    line = RecordHeader(options.columns);
    if (runStartPending_) recordNumber_ = 0;
  }
  return line + RecordFields(sample, options.columns, now, recordNumber_, options.decimalSeparator);
}

RecordFile::Outcome RecordingState::AppendRecordLine(const QString& path, const QByteArray& line) {
  const RecordFile::Outcome outcome = file_.append(path, line);
  // The header is due until it has reached the file: a run whose first
  // records could not be stored still starts with its header, numbered from 0.
  if (outcome == RecordFile::Outcome::Written && headerInLine_) {
    headerPending_ = false;
    runStartPending_ = false;
  }
  return outcome;
}

RecordingState::Step RecordingState::RecordingStep(const protocol::MeasurementSample& sample,
                                                   const RecordSetup& options) {
  Step step;
  ++sampleCounter_;
  const std::uint32_t divider = options.every != 0 ? options.every : RateDivider(options.periodPosition);
  if (sampleCounter_ < divider) return step;
  sampleCounter_ = 0;
  ++recordNumber_;
  step.recorded = true;
  step.recreatedNow = file_.lostFromPath(options.path);
  const bool wasFailing = file_.failing();
  const RecordFile::Outcome opened = file_.open(options.path);
  if (opened == RecordFile::Outcome::Written) {
    // Every line sits under a header of its own columns: a new file, or
    // columns changed during the run, get the header (again).
    if (file_.empty() || (headerColumns_ && *headerColumns_ != options.columns)) headerPending_ = true;
    if (headerPending_) headerColumns_ = options.columns;
  }
  const RecordFile::Outcome outcome = opened == RecordFile::Outcome::Written
                                          ? AppendRecordLine(options.path, BuildRecordLine(sample, options))
                                          : opened;
  step.failedNow = outcome == RecordFile::Outcome::Failed && !wasFailing;
  step.resumedNow = outcome == RecordFile::Outcome::Written && wasFailing;
  return step;
}

}  // namespace vestrix::record
