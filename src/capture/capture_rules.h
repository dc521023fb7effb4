#pragma once

#include "capture/force_test_capture.h"

#include <QChar>
#include <QString>

#include <array>

namespace vestrix::capture {

// The capture rules as the user types them, in this order.
enum class RuleField { Start, End, Break, Longest, Before, After, Lower, Upper };
constexpr int kRuleFields = 8;
// The longest test, and the time kept before and after one, at most: a
// day, and an hour (samples are kept for hours at most).
constexpr double kMaxLongestSeconds = 86400;
constexpr double kMaxKeptSeconds = 3600;

// What typed rules make: the rules, each field that is invalid keeping its
// value from before, and which fields were invalid.
struct RulesReading {
  CaptureSettings rules;
  std::array<bool, kRuleFields> invalid{};

  bool valid() const;
};

// Reads the typed rules: each a complete number in the separator, within
// its range (the break share 0 to 100, the longest time 0 to a day, the
// times kept 0 to an hour); an empty limit is no limit; an end level above
// the start level (in current's direction, which the rules keep; for
// compression below it) makes the end level invalid, a lower limit above
// the upper one the upper one.
RulesReading ReadCaptureRules(const std::array<QString, kRuleFields>& texts, const CaptureSettings& current,
                              QChar separator);

}  // namespace vestrix::capture
