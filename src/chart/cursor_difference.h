#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

namespace vestrix::chart {

// Two cursors on the plot: a sample's time and a series' value at each.
struct CursorPoint {
  std::int64_t timeMs = 0;
  double value = 0;
};

// From the first cursor to the second: the time between them, the change
// of the value, and the rate of that change (none when no time passed or a
// value is not finite).
struct CursorDifference {
  double seconds = 0;
  double delta = 0;
  std::optional<double> slopePerSecond;
};

CursorDifference Difference(CursorPoint from, CursorPoint to);

// "Δt 1.234 s", in the user's decimal separator.
QString TimeDifferenceText(double seconds, QChar separator);
// "Δ 12.3456 N, 10.0045 N/s" (the unit where known; "Δ 12.3456, 10.0045 /s"
// without), or "Δ 12.3456 N" without a slope.
QString ValueDifferenceText(const CursorDifference& difference, const QString& unit, QChar separator);

}  // namespace vestrix::chart
