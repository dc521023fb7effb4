#pragma once

#include "chart/local_to_utc.h"
#include "chart/sample_history.h"
#include "record/record_reader.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vestrix::chart {

// A record file as a chart's samples: the five value columns as its
// series, each run a segment of its own. The time axis is the records' PC
// date and time where the run records both, each record's local time read
// on its own (across a change of daylight saving too); a run without them
// goes by the record number (or the record's place in its run) times the
// period of records, placed a period after the run before it, or, ahead
// of the first run with the clock, a period before that one: never decades
// away from the clocked runs.
class ReviewLoader : public record::RecordSink {
 public:
  ReviewLoader(SampleHistory& history, std::int64_t periodMs);

  void runStarted(const record::ColumnChoice& columns) override;
  void recordRead(const record::ReadRecord& record) override;

  // The value columns that some run records.
  const std::array<bool, record::kValueColumns>& present() const { return present_; }
  // Whether the times are the PC's clock (else they count from the start).
  bool wallClock() const { return wallClock_; }

 private:
  SampleHistory& history_;
  std::int64_t periodMs_;
  std::array<bool, record::kValueColumns> present_{};
  bool wallClock_ = false;
  bool newRun_ = false;
  std::int64_t runStart_ = 0;  // time of the run's first record, counted
  std::int64_t recordInRun_ = 0;
  std::int64_t lastTime_ = 0;
  std::optional<std::int64_t> lastInRun_;  // the time of the run's record before
  LocalToUtc localToUtc_;
};

}  // namespace vestrix::chart
