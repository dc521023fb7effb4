#include "cli/parameter_text.h"

#include "cli/number_text.h"
#include "config/parameter_write.h"
#include "numbers/number_input.h"
#include "protocol/codecs.h"

#include <QString>

#include <cctype>
#include <cmath>
#include <limits>

namespace vestrix::cli {

namespace {

using protocol::ValueKind;

// Letter case and blanks do not tell entries apart: "counter input" is
// "Counter  input", "1 [min]" is "1[ min]".
std::string Folded(const std::string& text) {
  std::string folded;
  for (const char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c)))
      folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

std::optional<long long> WholeNumber(const std::string& text) {
  const QString trimmed = QString::fromStdString(text).trimmed();
  bool ok = false;
  const long long n = trimmed.toLongLong(&ok, 10);
  return ok ? std::optional<long long>(n) : std::nullopt;
}

int LeastListValue(const protocol::Parameter& p) { return p.indexOffset(); }
int MostListValue(const protocol::Parameter& p) { return p.choices.count() - 1 + p.indexOffset(); }

}  // namespace

int ListValue(const protocol::ParameterValue& value) { return value.byte; }

std::optional<std::string> EntryText(const protocol::Parameter& parameter, int value) {
  const int position = value - parameter.indexOffset();
  if (position < 0 || position >= parameter.choices.count()) return std::nullopt;
  return parameter.choices.text(position);
}

std::string ValueWords(const protocol::ParameterValue& value) {
  const protocol::Parameter& p = *value.parameter;
  if (p.isList()) {
    // A byte outside the list is still what the instrument holds.
    if (std::optional<std::string> text = EntryText(p, ListValue(value))) return *text;
    // Built in place: GCC 12 at -O3 takes "literal" + string for an overlapping copy.
    std::string unlisted = std::to_string(ListValue(value));
    return unlisted.insert(0, 1, '(').append(1, ')');
  }
  if (p.kind == ValueKind::UInt32) return std::to_string(value.integer);
  const std::string text = ShortestText(value.number);
  return text.empty() ? (value.number != value.number ? "nan" : value.number > 0 ? "inf" : "-inf") : text;
}

bool SameValue(const protocol::ParameterValue& a, const protocol::ParameterValue& b) {
  switch (a.parameter->kind) {
    case ValueKind::Float32: return a.number == b.number;
    case ValueKind::UInt32: return a.integer == b.integer;
    default: return a.byte == b.byte;
  }
}

protocol::ParameterValue SentValue(const protocol::Parameter& parameter, const protocol::Command& command) {
  const protocol::MessageView message(command.bytes.data(), command.length);
  protocol::ParameterValue value;
  value.parameter = &parameter;
  value.number = message.float32(1);
  value.integer = static_cast<std::int32_t>(message.uint32(1));
  value.byte = message.byte(1);
  return value;
}

std::variant<ValueWrite, std::string> ParseValueWrite(const protocol::Parameter& p, const std::string& text) {
  if (p.isList()) {
    for (int position = 0; position < p.choices.count(); ++position) {
      if (Folded(p.choices.text(position)) == Folded(text) && !Folded(text).empty()) {
        const protocol::Command command = *config::EncodeListWrite(p, position);
        return ValueWrite{command, p.choices.text(position), std::nullopt};
      }
    }
    const std::optional<long long> value = WholeNumber(text);
    if (!value || *value < LeastListValue(p) || *value > MostListValue(p)) {
      return "'" + text + "' is not an entry of " + p.name + " (an entry's text, or its value from " +
             std::to_string(LeastListValue(p)) + " to " + std::to_string(MostListValue(p)) + ")";
    }
    const int position = static_cast<int>(*value) - p.indexOffset();
    return ValueWrite{*config::EncodeListWrite(p, position), p.choices.text(position), std::nullopt};
  }
  const config::EditWrite write = config::EncodeEditWrite(p, QString::fromStdString(text), QLatin1Char('.'));
  if (!write.command) {
    return "'" + text + "' is not a valid value of " + p.name +
           (p.kind == ValueKind::UInt32 ? " (a whole number from 1 to 999999)" : " (a number written with a point)");
  }
  ValueWrite result{*write.command, ValueWords(SentValue(p, *write.command)), std::nullopt};
  if (p.kind == ValueKind::UInt32) {
    const std::optional<long long> typed = WholeNumber(text);
    if (!typed || *typed != SentValue(p, result.command).integer) result.clampedFrom = text;
  } else {
    const std::optional<double> typed = numbers::ParseNumber(QString::fromStdString(text), QLatin1Char('.'));
    // Beyond the float range it was clamped for sure (and may not be cast).
    const bool beyondFloat = typed && !(std::fabs(*typed) <= std::numeric_limits<float>::max());
    if (typed && (beyondFloat || static_cast<float>(*typed) != SentValue(p, result.command).number)) {
      result.clampedFrom = text;
    }
  }
  return result;
}

}  // namespace vestrix::cli
