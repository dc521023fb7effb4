#include "chart/cursor_difference.h"

#include "protocol/format_fixed.h"

#include <cmath>

namespace vestrix::chart {

CursorDifference Difference(CursorPoint from, CursorPoint to) {
  CursorDifference d;
  d.seconds = static_cast<double>(to.timeMs - from.timeMs) / 1000.0;
  d.delta = to.value - from.value;
  if (d.seconds != 0 && std::isfinite(d.delta)) d.slopePerSecond = d.delta / d.seconds;
  return d;
}

QString TimeDifferenceText(double seconds, QChar separator) {
  return QStringLiteral("\u0394t ") + protocol::FormatFixed(seconds, 15, 3, separator) + QStringLiteral(" s");
}

QString ValueDifferenceText(const CursorDifference& difference, const QString& unit, QChar separator) {
  const QString space = unit.isEmpty() ? QString() : QStringLiteral(" ");
  QString text = QStringLiteral("\u0394 ") + protocol::FormatFixed(difference.delta, 15, 4, separator) + space + unit;
  if (difference.slopePerSecond) {
    text += QStringLiteral(", ") + protocol::FormatFixed(*difference.slopePerSecond, 15, 4, separator) +
            QLatin1Char(' ') + unit + QStringLiteral("/s");
  }
  return text;
}

}  // namespace vestrix::chart
