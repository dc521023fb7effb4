#pragma once

#include "protocol/command.h"
#include "protocol/parameter_reply.h"
#include "protocol/parameter_table.h"

#include <optional>
#include <string>
#include <variant>

namespace vestrix::cli {

// A parameter's value in words: a number exactly as held (shortest text,
// with a point), the rated capacity as an integer, a list's entry text.
std::string ValueWords(const protocol::ParameterValue& value);
// A list's value as the instrument holds it: the position in the list, or
// the address for ModbusAdr.
int ListValue(const protocol::ParameterValue& value);
// A list entry's text for a value, or nothing outside the list.
std::optional<std::string> EntryText(const protocol::Parameter& parameter, int value);
// Whether two values of one parameter are the same as the instrument holds them.
bool SameValue(const protocol::ParameterValue& a, const protocol::ParameterValue& b);

// What a typed value makes for a write.
struct ValueWrite {
  protocol::Command command;
  std::string sent;                        // the value as sent, in words
  std::optional<std::string> clampedFrom;  // the value typed, when it was beyond the range
};

// The configuration page's rules: a number with a point, the nearest
// float32 clamped to the parameter's range; the rated capacity an integer
// (0 becomes 1, more than 999999 becomes 999999, negative is invalid); a
// list its entry's text (letter case and blanks aside) or its value. An
// error in words when the text is none of these.
std::variant<ValueWrite, std::string> ParseValueWrite(const protocol::Parameter& parameter, const std::string& text);

// The value a write sends, as a reply would carry it back.
protocol::ParameterValue SentValue(const protocol::Parameter& parameter, const protocol::Command& command);

}  // namespace vestrix::cli
