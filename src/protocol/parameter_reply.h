#pragma once

#include "protocol/codecs.h"
#include "protocol/parameter_table.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

namespace vestrix::protocol {

// A parameter's value as the instrument's reply carries it.
struct ParameterValue {
  const Parameter* parameter = nullptr;
  float number = 0;          // Float32
  std::int32_t integer = 0;  // UInt32, read as signed: the values written read back unchanged
  std::uint8_t byte = 0;     // Index and ModbusAddress: the byte as sent
  // The list position the byte selects: the byte itself, or for ModbusAdr
  // the address less one (0 gives -1: no selection).
  int position() const;
};

// The value of a parameter reply (a message whose code is a parameter's
// read code), or nothing for any other message.
std::optional<ParameterValue> DecodeReply(const MessageView& message);

// An edit box's text for a number or integer reply: four decimals in the
// given separator, or the integer in decimal.
QString ValueText(const ParameterValue& value, QChar decimalSeparator);

}  // namespace vestrix::protocol
