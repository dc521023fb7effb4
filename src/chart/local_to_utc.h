#pragma once

#include "record/record_line.h"

#include <cstdint>
#include <optional>

namespace vestrix::chart {

// The moment a local date and time of the PC names, record by record, as
// the zone's rules give it: an hour off across a change of daylight saving
// never, and the hour that comes twice in autumn read in the order the
// records came (a time earlier than the one before is its second pass).
// The zone is looked up about once an hour of records, not once a record.
class LocalToUtc {
 public:
  // Milliseconds since the epoch; `notBefore`: the moment of the record
  // before (of the same run), which decides a time that comes twice.
  std::int64_t convert(const record::ClockReading& clock, std::optional<std::int64_t> notBefore);

  // The local time as if it were UTC, in milliseconds since the epoch.
  static std::int64_t NaiveMs(const record::ClockReading& clock);

 private:
  // The offsets a naive time may stand for, and whether each is one.
  struct Candidates {
    std::int64_t offsetBefore = 0;  // the zone's offset a day before
    std::int64_t offsetAfter = 0;   // and a day after
    bool beforeValid = false;
    bool afterValid = false;
    bool operator==(const Candidates&) const = default;
  };
  static Candidates At(std::int64_t naive);

  std::int64_t cachedHour_ = INT64_MIN;
  std::optional<Candidates> cached_;  // the same at both ends of the hour
};

}  // namespace vestrix::chart
