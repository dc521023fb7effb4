#include "config/parameter_write.h"

#include "numbers/number_input.h"
#include "protocol/codecs.h"
#include "protocol/format_fixed.h"

namespace vestrix::config {

namespace {

protocol::Command WordWrite(std::uint8_t writeCode) {
  protocol::Command command;
  command.bytes[0] = writeCode;
  command.length = protocol::kWordWriteLength;
  return command;
}

}  // namespace

EditWrite EncodeFloatWrite(const QString& text, QChar separator, std::uint8_t writeCode, float upper, float lower) {
  const std::optional<double> number = numbers::ParseNumber(text, separator);
  if (!number) return {};
  const float v = numbers::ClampToFloat32(*number, upper, lower);
  protocol::Command command = WordWrite(writeCode);
  protocol::PutFloat32(command.bytes.data() + 1, v);
  return {command, protocol::FormatFixed(v, 15, 4, separator)};
}

EditWrite EncodeRatedCapacityWrite(const QString& text, std::uint8_t writeCode) {
  const std::optional<std::uint32_t> u = numbers::ParseRatedCapacity(text);
  if (!u) return {};
  protocol::Command command = WordWrite(writeCode);
  protocol::PutUInt32(command.bytes.data() + 1, *u);
  return {command, QString::number(*u)};
}

EditWrite EncodeEditWrite(const protocol::Parameter& parameter, const QString& text, QChar separator) {
  if (parameter.kind == protocol::ValueKind::UInt32) return EncodeRatedCapacityWrite(text, parameter.writeCode());
  return EncodeFloatWrite(text, separator, parameter.writeCode(), parameter.upper, parameter.lower);
}

std::optional<protocol::Command> EncodeListWrite(std::uint8_t writeCode, int position, int offset) {
  // No selection (a reply outside the list): nothing the user chose to send.
  if (position < 0) return std::nullopt;
  protocol::Command command;
  command.bytes[0] = writeCode;
  command.bytes[1] = static_cast<std::uint8_t>(position + offset);
  command.length = protocol::kIndexWriteLength;
  return command;
}

std::optional<protocol::Command> EncodeListWrite(const protocol::Parameter& parameter, int position) {
  return EncodeListWrite(parameter.writeCode(), position, parameter.indexOffset());
}

}  // namespace vestrix::config
