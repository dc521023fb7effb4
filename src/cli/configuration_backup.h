#pragma once

#include "protocol/parameter_reply.h"

#include <QByteArray>
#include <QJsonObject>

#include <string>
#include <variant>
#include <vector>

namespace vestrix::cli {

// A configuration backup: a JSON document naming its format and version,
// the program and time that wrote it, the device, and every parameter
// with its value as the instrument holds it (a list's with its entry text).
inline constexpr char kBackupFormat[] = "vestrix-configuration";
inline constexpr int kBackupVersion = 1;

// What a backup says besides the values.
struct BackupOrigin {
  std::string program;  // "vestrix-cli 1.10"
  std::string time;     // local, ISO 8601
  std::string device;   // the device node
};

// One parameter's value as JSON: {"name", "value"} and, for a list, "text".
QJsonObject ParameterJson(const protocol::ParameterValue& value);

// The document for the values of every parameter, in the table's order.
QByteArray BackupDocument(const std::vector<protocol::ParameterValue>& values, const BackupOrigin& origin);

// The values of a backup, in the table's order, each checked: the
// document whole and of this format, its version one this program reads,
// every parameter there once and no other, every value within its
// parameter's range (not clamped) and a list's text that of its value.
// Otherwise what is wrong, in words.
std::variant<std::vector<protocol::ParameterValue>, std::string> ReadBackup(const QByteArray& document);

}  // namespace vestrix::cli
