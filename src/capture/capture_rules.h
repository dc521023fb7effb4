#pragma once

#include "capture/test_capture.h"

#include <QChar>
#include <QString>

#include <array>

namespace vestrix::capture {

// The capture rules as the user types them, in this order.
enum class RuleField { Start, End, Break, Longest, Before, After, Lower, Upper };
constexpr int kRuleFields = 8;

// What typed rules make: the rules, each field that is invalid keeping its
// value from before, and which fields were invalid.
struct RulesReading {
  CaptureSettings rules;
  std::array<bool, kRuleFields> invalid{};

  bool valid() const;
};

// Reads the typed rules: each a complete number in the separator, within
// its range (the break share 0 to 100, the times not negative); an empty
// limit is no limit; a lower limit above the upper one makes the upper one
// invalid.
RulesReading ReadCaptureRules(const std::array<QString, kRuleFields>& texts, const CaptureSettings& current,
                              QChar separator);

}  // namespace vestrix::capture
