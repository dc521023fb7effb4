#include "chart/axis_ticks.h"

#include "protocol/format_fixed.h"

#include <QDateTime>

#include <algorithm>
#include <array>
#include <cmath>

namespace vestrix::chart {

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kDay = 24 * kHour;

constexpr std::array<std::int64_t, 31> kTimeSteps = {1,
                                                     2,
                                                     5,
                                                     10,
                                                     20,
                                                     50,
                                                     100,
                                                     200,
                                                     500,
                                                     kSecond,
                                                     2 * kSecond,
                                                     5 * kSecond,
                                                     10 * kSecond,
                                                     15 * kSecond,
                                                     30 * kSecond,
                                                     kMinute,
                                                     2 * kMinute,
                                                     5 * kMinute,
                                                     10 * kMinute,
                                                     15 * kMinute,
                                                     30 * kMinute,
                                                     kHour,
                                                     2 * kHour,
                                                     3 * kHour,
                                                     6 * kHour,
                                                     12 * kHour,
                                                     kDay,
                                                     2 * kDay,
                                                     7 * kDay,
                                                     14 * kDay,
                                                     28 * kDay};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

QString Two(std::int64_t n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString TimeLabel(std::int64_t local, std::int64_t step, QChar separator, bool elapsed) {
  const std::int64_t ofDay = elapsed ? local : local - FloorDiv(local, kDay) * kDay;
  if (!elapsed && (ofDay == 0 || step >= kDay)) {
    const QDate date = QDate(1970, 1, 1).addDays(FloorDiv(local, kDay));
    // Over weeks and months the year is part of the date.
    if (step >= 7 * kDay) return QStringLiteral("%1-%2-%3").arg(date.day()).arg(date.month()).arg(date.year());
    return QStringLiteral("%1-%2").arg(date.day()).arg(date.month());
  }
  const std::int64_t h = ofDay / kHour;
  const std::int64_t m = ofDay / kMinute % 60;
  QString label = QStringLiteral("%1:%2").arg(h).arg(Two(m));
  if (step >= kMinute) return label;
  label += QLatin1Char(':') + Two(ofDay / kSecond % 60);
  if (step >= kSecond) return label;
  const int decimals = step >= 100 ? 1 : step >= 10 ? 2 : 3;
  const QString fraction = QStringLiteral("%1").arg(ofDay % kSecond, 3, 10, QLatin1Char('0'));
  return label + separator + fraction.left(decimals);
}

}  // namespace

double NiceStep(double range, int maxTicks) {
  if (!(range > 0) || !std::isfinite(range)) return 1;
  const double rough = range / std::max(maxTicks, 1);
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (factor * power >= rough * (1 - 1e-12)) return factor * power;
  }
  return 10 * power;
}

ValueRange NiceRange(double low, double high, int maxTicks) {
  if (!std::isfinite(low) || !std::isfinite(high) || low > high) return {0, 1};
  if (low == high) {
    const double room = low == 0 ? 1 : std::abs(low) * 0.1;
    low -= room;
    high += room;
  }
  const double step = NiceStep(high - low, maxTicks);
  return {std::floor(low / step) * step, std::ceil(high / step) * step};
}

std::vector<ValueTick> ValueTicks(double low, double high, int maxTicks, QChar separator) {
  std::vector<ValueTick> ticks;
  if (!std::isfinite(low) || !std::isfinite(high) || !(high > low)) return ticks;
  const double step = NiceStep(high - low, maxTicks);
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; k += 1) {
    const double value = k * step;
    ticks.push_back({value, protocol::FormatFixed(value, 15, decimals, separator)});
    if (ticks.size() > 1000) break;  // a range the steps cannot cover: never endless
  }
  return ticks;
}

std::int64_t TimeStep(std::int64_t span, int maxTicks) {
  for (const std::int64_t step : kTimeSteps) {
    if (span <= step * std::max(maxTicks, 1)) return step;
  }
  // Beyond four weeks a tick: whole multiples of four weeks.
  const std::int64_t month = kTimeSteps.back();
  return (span / std::max(maxTicks, 1) / month + 1) * month;
}

std::vector<TimeTick> TimeTicks(std::int64_t from, std::int64_t to, int maxTicks,
                                const std::function<std::int64_t(std::int64_t)>& utcOffsetMs, QChar separator,
                                bool elapsed) {
  std::vector<TimeTick> ticks;
  if (to < from) return ticks;
  const std::int64_t step = TimeStep(to - from, maxTicks);
  // Whole steps of the local clock: the offset at the start of the view.
  const std::int64_t offset = elapsed ? 0 : utcOffsetMs(from);
  for (std::int64_t local = FloorDiv(from + offset + step - 1, step) * step; local - offset <= to; local += step) {
    ticks.push_back({local - offset, TimeLabel(local, step, separator, elapsed)});
  }
  return ticks;
}

std::int64_t LocalUtcOffsetMs(std::int64_t timeMs) {
  return std::int64_t{QDateTime::fromMSecsSinceEpoch(timeMs).offsetFromUtc()} * kSecond;
}

}  // namespace vestrix::chart
