#include "protocol/parameter_reply.h"

#include "protocol/format_fixed.h"

namespace vestrix::protocol {

int ParameterValue::position() const {
  return parameter != nullptr && parameter->kind == ValueKind::ModbusAddress ? static_cast<int>(byte) - 1 : byte;
}

std::optional<ParameterValue> DecodeReply(const MessageView& message) {
  const Parameter* p = FindParameterByReadCode(message.code());
  if (p == nullptr) return std::nullopt;
  ParameterValue value;
  value.parameter = p;
  value.number = message.float32(1);
  value.integer = static_cast<std::int32_t>(message.uint32(1));
  value.byte = message.byte(1);
  return value;
}

QString ValueText(const ParameterValue& value, QChar separator) {
  if (value.parameter->kind == ValueKind::UInt32) return QString::number(value.integer);
  return FormatFixed(value.number, 15, 4, separator);
}

}  // namespace vestrix::protocol
