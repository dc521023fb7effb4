#include "capture/capture_rules.h"

#include "numbers/number_input.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace vestrix::capture {

bool RulesReading::valid() const {
  return std::none_of(invalid.begin(), invalid.end(), [](bool b) { return b; });
}

RulesReading ReadCaptureRules(const std::array<QString, kRuleFields>& texts, const CaptureSettings& current,
                              QChar separator) {
  RulesReading reading{current, {}};
  CaptureSettings& rules = reading.rules;
  // A number in its range, or nothing (the field invalid).
  auto read = [&](RuleField f, double least, double most) -> std::optional<double> {
    const std::optional<double> n = numbers::ParseNumber(texts[static_cast<int>(f)], separator);
    const bool valid = n && std::isfinite(*n) && *n >= least && *n <= most;
    reading.invalid[static_cast<int>(f)] = !valid;
    return valid ? n : std::nullopt;
  };
  constexpr double kAny = 1e300;
  if (const auto v = read(RuleField::Start, -kAny, kAny)) rules.startLevel = *v;
  if (const auto v = read(RuleField::End, -kAny, kAny)) rules.endLevel = *v;
  if (const auto v = read(RuleField::Break, 0, 100)) rules.breakPercent = *v;
  if (const auto v = read(RuleField::Longest, 0, kMaxLongestSeconds)) rules.longestSeconds = *v;
  if (const auto v = read(RuleField::Before, 0, kMaxKeptSeconds)) rules.preSeconds = *v;
  if (const auto v = read(RuleField::After, 0, kMaxKeptSeconds)) rules.postSeconds = *v;
  // An end above the start (compression: below it) would end every test at
  // its first sample.
  const bool pull = rules.direction == Direction::Tension;
  if (!reading.invalid[static_cast<int>(RuleField::End)] &&
      (pull ? rules.endLevel > rules.startLevel : rules.endLevel < rules.startLevel)) {
    reading.invalid[static_cast<int>(RuleField::End)] = true;
    rules.endLevel = pull ? std::min(current.endLevel, rules.startLevel) : std::max(current.endLevel, rules.startLevel);
  }
  // An empty limit is no limit.
  for (const RuleField f : {RuleField::Lower, RuleField::Upper}) {
    std::optional<double>& limit = f == RuleField::Lower ? rules.lowerLimit : rules.upperLimit;
    if (texts[static_cast<int>(f)].trimmed().isEmpty()) {
      reading.invalid[static_cast<int>(f)] = false;
      limit.reset();
    } else if (const auto v = read(f, -kAny, kAny)) {
      limit = *v;
    }
  }
  if (rules.lowerLimit && rules.upperLimit && *rules.lowerLimit > *rules.upperLimit) {
    reading.invalid[static_cast<int>(RuleField::Upper)] = true;
    rules.upperLimit = current.upperLimit;
  }
  return reading;
}

}  // namespace vestrix::capture
