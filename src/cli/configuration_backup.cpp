#include "cli/configuration_backup.h"

#include "cli/number_text.h"
#include "cli/parameter_text.h"
#include "protocol/parameter_table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <charconv>
#include <cmath>
#include <limits>
#include <map>

namespace vestrix::cli {

namespace {

using protocol::ValueKind;

// A whole number within a range, as JSON has it (a number with no fraction).
std::optional<long long> WholeIn(const QJsonValue& value, long long least, long long most) {
  if (!value.isDouble()) return std::nullopt;
  const double d = value.toDouble();
  if (!(d >= static_cast<double>(least) && d <= static_cast<double>(most)) || std::floor(d) != d) return std::nullopt;
  return static_cast<long long>(d);
}

// The value of one entry, or what is wrong with it.
std::variant<protocol::ParameterValue, std::string> ReadValue(const protocol::Parameter& p, const QJsonObject& entry) {
  const QJsonValue value = entry.value(QStringLiteral("value"));
  protocol::ParameterValue result;
  result.parameter = &p;
  const std::string name = p.name;
  if (p.isList()) {
    const long long least = p.indexOffset();
    const long long most = p.choices.count() - 1 + p.indexOffset();
    const std::optional<long long> n = WholeIn(value, least, most);
    if (!n) {
      return name + ": the value is not an entry's value from " + std::to_string(least) + " to " + std::to_string(most);
    }
    result.byte = static_cast<std::uint8_t>(*n);
    const QJsonValue text = entry.value(QStringLiteral("text"));
    const std::string expected = *EntryText(p, static_cast<int>(*n));
    if (!text.isUndefined() && text.toString().toStdString() != expected) {
      return name + ": the text '" + text.toString().toStdString() + "' is not that of value " + std::to_string(*n) +
             " ('" + expected + "')";
    }
    return result;
  }
  if (p.kind == ValueKind::UInt32) {
    const std::optional<long long> n = WholeIn(value, static_cast<long long>(p.lower), static_cast<long long>(p.upper));
    if (!n) return name + ": the value is not a whole number from 1 to 999999";
    result.integer = static_cast<std::int32_t>(*n);
    return result;
  }
  const double d = value.toDouble(std::numeric_limits<double>::quiet_NaN());
  const bool inFloat = value.isDouble() && std::fabs(d) <= std::numeric_limits<float>::max();
  // Compared as the instrument compares: in float32.
  if (!inFloat || static_cast<float>(d) < p.lower || static_cast<float>(d) > p.upper) {
    return name + ": the value is not a number from " + ShortestText(p.lower) + " to " + ShortestText(p.upper);
  }
  result.number = static_cast<float>(d);
  return result;
}

}  // namespace

QJsonObject ParameterJson(const protocol::ParameterValue& value) {
  const protocol::Parameter& p = *value.parameter;
  QJsonObject entry{{QStringLiteral("name"), QString::fromLatin1(p.name)}};
  if (p.isList()) {
    entry.insert(QStringLiteral("value"), ListValue(value));
    if (const std::optional<std::string> text = EntryText(p, ListValue(value))) {
      entry.insert(QStringLiteral("text"), QString::fromStdString(*text));
    }
  } else if (p.kind == ValueKind::UInt32) {
    entry.insert(QStringLiteral("value"), value.integer);
  } else {
    // The shortest text that gives the float back, as a JSON number: a
    // backup restores exactly what was read. Not finite: null (refused on restore).
    const std::string text = ShortestText(value.number);
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    entry.insert(QStringLiteral("value"), text.empty() ? QJsonValue() : QJsonValue(number));
  }
  return entry;
}

QByteArray BackupDocument(const std::vector<protocol::ParameterValue>& values, const BackupOrigin& origin) {
  QJsonArray parameters;
  for (const protocol::ParameterValue& value : values) parameters.append(ParameterJson(value));
  const QJsonObject document{
      {QStringLiteral("format"), QString::fromLatin1(kBackupFormat)},
      {QStringLiteral("version"), kBackupVersion},
      {QStringLiteral("program"), QString::fromStdString(origin.program)},
      {QStringLiteral("time"), QString::fromStdString(origin.time)},
      {QStringLiteral("device"), QString::fromStdString(origin.device)},
      {QStringLiteral("parameters"), parameters},
  };
  return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

std::variant<std::vector<protocol::ParameterValue>, std::string> ReadBackup(const QByteArray& bytes) {
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError) {
    return "not a complete JSON document: " + error.errorString().toStdString() + " at byte " +
           std::to_string(error.offset);
  }
  const QJsonObject root = document.object();
  if (!document.isObject() || root.value(QStringLiteral("format")).toString() != QLatin1String(kBackupFormat)) {
    return std::string("not a configuration backup (its \"format\" is not \"") + kBackupFormat + "\")";
  }
  const std::optional<long long> version = WholeIn(root.value(QStringLiteral("version")), 1, 1LL << 40);
  if (!version) return "its \"version\" is not a format version";
  if (*version > kBackupVersion) {
    return "written in format version " + std::to_string(*version) + " by a newer program; this one reads version " +
           std::to_string(kBackupVersion) + " and older";
  }
  const QJsonValue list = root.value(QStringLiteral("parameters"));
  if (!list.isArray()) return "it has no list of \"parameters\"";
  std::map<const protocol::Parameter*, protocol::ParameterValue> found;
  for (const QJsonValue& item : list.toArray()) {
    const QJsonObject entry = item.toObject();
    const std::string name = entry.value(QStringLiteral("name")).toString().toStdString();
    const protocol::Parameter* p = protocol::FindParameterByName(name);
    if (!item.isObject() || name.empty()) return "a parameter without a name";
    if (p == nullptr) return "unknown parameter '" + name + "'";
    if (found.count(p) != 0) return std::string(p->name) + " is there twice";
    std::variant<protocol::ParameterValue, std::string> value = ReadValue(*p, entry);
    if (std::holds_alternative<std::string>(value)) return std::get<std::string>(value);
    found[p] = std::get<protocol::ParameterValue>(value);
  }
  std::vector<protocol::ParameterValue> values;
  for (const protocol::Parameter& p : protocol::Parameters()) {
    if (found.count(&p) == 0) return std::string("parameter ") + p.name + " is missing";
    values.push_back(found[&p]);
  }
  return values;
}

}  // namespace vestrix::cli
