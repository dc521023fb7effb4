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
}

QByteArray RecordingState::BuildRecordLine(const protocol::MeasurementSample& sample, const RecordOptions& options) {
  const ClockReading now = clock_();
  QByteArray line;
  headerInLine_ = headerPending_;
  if (headerPending_) {
    line = RecordHeader(options.columns);
    recordNumber_ = 0;
  }
  return line + RecordFields(sample, options.columns, now, recordNumber_, options.decimalSeparator);
}

RecordFile::Outcome RecordingState::AppendRecordLine(const QString& path, const QByteArray& line) {
  const RecordFile::Outcome outcome = file_.append(path, line);
  // The header is due until it has reached the file: a run whose first
  // records could not be stored still starts with its header, numbered from 0.
  if (outcome == RecordFile::Outcome::Written && headerInLine_) headerPending_ = false;
  return outcome;
}

RecordingState::Step RecordingState::RecordingStep(const protocol::MeasurementSample& sample,
                                                   const RecordOptions& options) {
  Step step;
  ++sampleCounter_;
  if (sampleCounter_ < RateDivider(options.periodPosition)) return step;
  sampleCounter_ = 0;
  ++recordNumber_;
  const bool wasFailing = file_.failing();
  const RecordFile::Outcome outcome = AppendRecordLine(options.path, BuildRecordLine(sample, options));
  step.recorded = true;
  step.failedNow = outcome == RecordFile::Outcome::Failed && !wasFailing;
  step.resumedNow = outcome == RecordFile::Outcome::Written && wasFailing;
  return step;
}

}  // namespace vestrix::record
