#pragma once

#include "protocol/command.h"
#include "protocol/parameter_table.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

namespace vestrix::config {

// What a write makes of a typed value: the command to send and the text the
// edit box shows afterwards (the value as sent), or nothing for invalid
// input (the box turns light red and nothing is sent).
struct EditWrite {
  std::optional<protocol::Command> command;
  QString text;
};

// A float parameter: the text read as a number in the user's decimal
// separator, then the nearest float32 clamped to the bounds; the text
// becomes the value with four decimals.
EditWrite EncodeFloatWrite(const QString& text, QChar separator, std::uint8_t writeCode, float upper, float lower);
// The rated capacity: an integer from 1 to 999999 (0 becomes 1, more
// becomes 999999, a negative number is invalid).
EditWrite EncodeRatedCapacityWrite(const QString& text, std::uint8_t writeCode);
// Either of the two, by the parameter's kind.
EditWrite EncodeEditWrite(const protocol::Parameter& parameter, const QString& text, QChar separator);

// A list's write: the low byte of the selected position plus the offset;
// nothing when the list has no selection.
std::optional<protocol::Command> EncodeListWrite(std::uint8_t writeCode, int position, int offset);
std::optional<protocol::Command> EncodeListWrite(const protocol::Parameter& parameter, int position);

}  // namespace vestrix::config
