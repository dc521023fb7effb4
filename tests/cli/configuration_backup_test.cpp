#include "cli/configuration_backup.h"

#include "cli/parameter_text.h"
#include "protocol/parameter_table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>
#include <variant>

namespace vestrix::cli {
namespace {

// Every parameter at a value of its own (not its default).
std::vector<protocol::ParameterValue> SomeValues() {
  std::vector<protocol::ParameterValue> values;
  for (const protocol::Parameter& p : protocol::Parameters()) {
    protocol::ParameterValue v;
    v.parameter = &p;
    v.number = static_cast<float>(p.upper) / 3.0f;  // no short decimal: must come back exactly
    v.integer = 123456;
    v.byte = static_cast<std::uint8_t>(p.choices.count() - 1 + p.indexOffset());
    values.push_back(v);
  }
  return values;
}

QByteArray Document() {
  return BackupDocument(SomeValues(), {"vestrix-cli 1.10", "2026-12-10T08:30:05", "/dev/hidraw0"});
}

TEST(ConfigurationBackup, GivesBackExactlyWhatItHolds) {
  const QJsonObject root = QJsonDocument::fromJson(Document()).object();
  EXPECT_EQ(root["format"].toString(), "vestrix-configuration");
  EXPECT_EQ(root["version"].toInt(), 1);
  EXPECT_EQ(root["program"].toString(), "vestrix-cli 1.10");
  EXPECT_EQ(root["device"].toString(), "/dev/hidraw0");
  EXPECT_EQ(root["parameters"].toArray().size(), static_cast<qsizetype>(protocol::Parameters().size()));
  const auto read = ReadBackup(Document());
  ASSERT_TRUE(std::holds_alternative<std::vector<protocol::ParameterValue>>(read)) << std::get<std::string>(read);
  const auto& values = std::get<std::vector<protocol::ParameterValue>>(read);
  const auto expected = SomeValues();
  ASSERT_EQ(values.size(), expected.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].parameter, expected[i].parameter);
    EXPECT_TRUE(SameValue(values[i], expected[i])) << values[i].parameter->name;
  }
}

struct BrokenCase {
  const char* what;
  std::function<QByteArray(QJsonObject)> edit;
  const char* says;
};

QJsonObject WithParameter(QJsonObject root, const char* name, const char* field, const QJsonValue& value) {
  QJsonArray parameters = root["parameters"].toArray();
  for (qsizetype i = 0; i < parameters.size(); ++i) {
    QJsonObject entry = parameters[i].toObject();
    if (entry["name"].toString() == QLatin1String(name)) {
      entry[QLatin1String(field)] = value;
      parameters[i] = entry;
    }
  }
  root["parameters"] = parameters;
  return root;
}

QByteArray Json(const QJsonObject& root) { return QJsonDocument(root).toJson(); }

class BrokenBackups : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenBackups, AreRefusedSayingWhy) {
  const QByteArray document = GetParam().edit(QJsonDocument::fromJson(Document()).object());
  const auto read = ReadBackup(document);
  ASSERT_TRUE(std::holds_alternative<std::string>(read)) << GetParam().what;
  EXPECT_NE(std::get<std::string>(read).find(GetParam().says), std::string::npos) << std::get<std::string>(read);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BrokenBackups,
    ::testing::Values(
        BrokenCase{"truncated", [](QJsonObject r) { return Json(r).left(Json(r).size() / 2); }, "not a complete JSON"},
        BrokenCase{"empty", [](QJsonObject) { return QByteArray(); }, "not a complete JSON"},
        BrokenCase{"an array", [](QJsonObject) { return QByteArray("[1,2]"); }, "not a configuration backup"},
        BrokenCase{"another format",
                   [](QJsonObject r) {
                     r["format"] = "something-else";
                     return Json(r);
                   },
                   "not a configuration backup"},
        BrokenCase{"newer",
                   [](QJsonObject r) {
                     r["version"] = 2;
                     return Json(r);
                   },
                   "format version 2 by a newer program"},
        BrokenCase{"version not a number",
                   [](QJsonObject r) {
                     r["version"] = "1";
                     return Json(r);
                   },
                   "not a format version"},
        BrokenCase{"missing",
                   [](QJsonObject r) {
                     QJsonArray p = r["parameters"].toArray();
                     p.removeAt(3);
                     r["parameters"] = p;
                     return Json(r);
                   },
                   "AdcCoef is missing"},
        BrokenCase{"twice",
                   [](QJsonObject r) {
                     QJsonArray p = r["parameters"].toArray();
                     p.append(p[0]);
                     r["parameters"] = p;
                     return Json(r);
                   },
                   "ModbusAdr is there twice"},
        BrokenCase{"unknown",
                   [](QJsonObject r) {
                     QJsonArray p = r["parameters"].toArray();
                     p.append(QJsonObject{{"name", "Warp"}, {"value", 9}});
                     r["parameters"] = p;
                     return Json(r);
                   },
                   "unknown parameter 'Warp'"},
        BrokenCase{"out of range", [](QJsonObject r) { return Json(WithParameter(r, "TensCoef", "value", 1000.5)); },
                   "TensCoef: the value is not a number from -999.9999 to 999.9999"},
        BrokenCase{"not a number", [](QJsonObject r) { return Json(WithParameter(r, "TensCoef", "value", "1.5")); },
                   "TensCoef"},
        BrokenCase{"null", [](QJsonObject r) { return Json(WithParameter(r, "TensCoef", "value", QJsonValue())); },
                   "TensCoef"},
        BrokenCase{"capacity 0", [](QJsonObject r) { return Json(WithParameter(r, "TensRange", "value", 0)); },
                   "TensRange"},
        BrokenCase{"capacity fraction", [](QJsonObject r) { return Json(WithParameter(r, "TensRange", "value", 2.5)); },
                   "TensRange"},
        BrokenCase{"list beyond", [](QJsonObject r) { return Json(WithParameter(r, "TensUnit", "value", 5)); },
                   "TensUnit"},
        BrokenCase{"address 0", [](QJsonObject r) { return Json(WithParameter(r, "ModbusAdr", "value", 0)); },
                   "ModbusAdr"},
        BrokenCase{"text of another entry",
                   [](QJsonObject r) { return Json(WithParameter(r, "TensUnit", "text", "N")); },
                   "TensUnit: the text 'N' is not that of value 4"}));

}  // namespace
}  // namespace vestrix::cli
