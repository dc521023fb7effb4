#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace vestrix::chart {

struct ValueTick {
  double value;
  QString label;
};

struct TimeTick {
  std::int64_t timeMs;  // wall-clock milliseconds since the epoch
  QString label;
};

// The step between value ticks: 1, 2 or 5 times a power of ten, the least
// that puts at most maxTicks steps into the range.
double NiceStep(double range, int maxTicks);

// An automatic value range: the finite [low, high] widened to whole steps
// (a flat or empty range gets room around it).
struct ValueRange {
  double low;
  double high;
};
ValueRange NiceRange(double low, double high, int maxTicks);

// Ticks at the multiples of the nice step inside [low, high], labelled
// with as many decimals as the step needs, in the user's separator.
std::vector<ValueTick> ValueTicks(double low, double high, int maxTicks, QChar decimalSeparator);

// The step between time ticks, in milliseconds: from 1 ms up through
// seconds, minutes and hours to days, the least that puts at most maxTicks
// steps into the span.
std::int64_t TimeStep(std::int64_t span, int maxTicks);

// Ticks at whole steps of local time inside [from, to], labelled as a
// clock shows it: H:mm:ss.zzz below a second, H:mm:ss below a minute, H:mm
// below a day, and the date d-M at midnight (d-M-yyyy when a step is a
// week or more). utcOffsetMs: the local
// offset from UTC at a time.
// elapsed: the times count from a start; labels are durations then.
std::vector<TimeTick> TimeTicks(std::int64_t from, std::int64_t to, int maxTicks,
                                const std::function<std::int64_t(std::int64_t)>& utcOffsetMs, QChar decimalSeparator,
                                bool elapsed = false);

// The local offset from UTC at a time, as the PC's zone rules give it.
std::int64_t LocalUtcOffsetMs(std::int64_t timeMs);

}  // namespace vestrix::chart
