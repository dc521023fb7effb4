#pragma once

#include "protocol/measurement_sample.h"
#include "record/record_file.h"
#include "record/record_line.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace vestrix::record {

// What a run records, read afresh at every measurement message.
struct RecordSetup {
  int periodPosition = 0;  // position of the record-period list, -1 for none
  ColumnChoice columns{};
  QString path;
  QChar decimalSeparator = QLatin1Char('.');
  std::uint32_t every = 0;  // a record every so many messages instead of by the list (0)
};

// The rate divider of a period-list position: a record every so many
// measurement messages (0: every one). No selection records every message,
// as the first entry, the default, does.
std::uint32_t RateDivider(int periodPosition);

// The recorder of the program: counts measurement messages, makes every
// Nth one a record, and appends it to the record file.
class RecordingState {
 public:
  // What a step did.
  struct Step {
    bool recorded = false;      // a record was made (stored or not)
    bool failedNow = false;     // storing failed, the first time in this episode
    bool resumedNow = false;    // storing works again after a failure
    bool recreatedNow = false;  // the file had been deleted or moved away: a new one was begun
  };

  RecordingState(std::function<ClockReading()> clock, std::function<std::int64_t()> monotonicMs);

  // The run's check box changed: a run starts (its header is due) or ends
  // (the file is closed).
  void runChanged(bool running);

  // One measurement message while the run is on.
  Step RecordingStep(const protocol::MeasurementSample& sample, const RecordSetup& options);
  // One measurement message while no run is on.
  void idleStep() { sampleCounter_ = 0; }

  // Whether records reach the file (false while a failure lasts).
  bool storing() const { return !file_.failing(); }
  const QString& failure() const { return file_.error(); }
  int failureNumber() const { return file_.errorNumber(); }
  RecordFile::Failure failureKind() const { return file_.failure(); }
  const RecordFile& file() const { return file_; }
  // Records go to a descriptor opened by someone else (standard output).
  void recordTo(int fd) { file_.attach(fd); }

  bool headerPending() const { return headerPending_; }
  int recordNumber() const { return recordNumber_; }

 private:
  // The text of a record, with the run's header in front when it is due.
  QByteArray BuildRecordLine(const protocol::MeasurementSample& sample, const RecordSetup& options);
  // Appends a record; false when it did not reach the file.
  RecordFile::Outcome AppendRecordLine(const QString& path, const QByteArray& line);

  std::function<ClockReading()> clock_;
  RecordFile file_;
  bool headerPending_ = false;
  // The run's first header is still to reach the file: numbering restarts
  // with it. A header written again later (new columns, a new file) keeps
  // the numbering going.
  bool runStartPending_ = false;
  std::optional<ColumnChoice> headerColumns_;  // the columns of the header in the file
  std::int32_t recordNumber_ = 0;
  std::uint32_t sampleCounter_ = 0;
  bool headerInLine_ = false;  // the line being appended carries the header
};

}  // namespace vestrix::record
