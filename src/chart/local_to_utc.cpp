#include "chart/local_to_utc.h"

#include "clock/local_clock.h"

#include <QDate>

namespace vestrix::chart {

namespace {

constexpr std::int64_t kHour = 3600000;
// Zones are at most 14 hours off UTC: a day on either side reaches past
// any change of their offset that concerns a time.
constexpr std::int64_t kReach = 26 * kHour;

// The zone's offset from UTC at a moment.
std::int64_t OffsetAt(std::int64_t utcMs) { return LocalToUtc::NaiveMs(clock::LocalClockAt(utcMs)) - utcMs; }

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

std::int64_t LocalToUtc::NaiveMs(const record::ClockReading& c) {
  const std::int64_t days = QDate(1970, 1, 1).daysTo(QDate(c.year, c.month, c.day));
  return ((days * 24 + c.hour) * 60 + c.minute) * 60000 + std::int64_t{c.second} * 1000 + c.millisecond;
}

LocalToUtc::Candidates LocalToUtc::At(std::int64_t naive) {
  Candidates c;
  c.offsetBefore = OffsetAt(naive - kReach);
  c.offsetAfter = OffsetAt(naive + kReach);
  c.beforeValid = OffsetAt(naive - c.offsetBefore) == c.offsetBefore;
  c.afterValid = OffsetAt(naive - c.offsetAfter) == c.offsetAfter;
  return c;
}

std::int64_t LocalToUtc::convert(const record::ClockReading& clock, std::optional<std::int64_t> notBefore) {
  const std::int64_t naive = NaiveMs(clock);
  const std::int64_t hour = FloorDiv(naive, kHour);
  if (hour != cachedHour_) {
    cachedHour_ = hour;
    // An hour with a change inside it is looked at record by record.
    const Candidates start = At(hour * kHour);
    cached_ = start == At(hour * kHour + kHour - 1) ? std::optional(start) : std::nullopt;
  }
  const Candidates c = cached_ ? *cached_ : At(naive);
  const std::int64_t first = naive - std::max(c.offsetBefore, c.offsetAfter);   // the earlier reading
  const std::int64_t second = naive - std::min(c.offsetBefore, c.offsetAfter);  // the later one
  if (c.beforeValid && c.afterValid && c.offsetBefore != c.offsetAfter) {
    // Twice (autumn): the first pass, unless the records have been past it.
    return notBefore && *notBefore > first ? second : first;
  }
  if (c.afterValid) return naive - c.offsetAfter;
  // Valid as the day before had it, or never (the hour skipped in spring:
  // read with the offset before the change, as the clock showed it).
  return naive - c.offsetBefore;
}

}  // namespace vestrix::chart
