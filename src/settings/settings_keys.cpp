#include "settings/settings_keys.h"

#include <array>

namespace vestrix::settings {

namespace {

const QString kDefaultRecordFile = QStringLiteral("data.csv");

// clang-format off
const std::array<KeySpec, 33> kKeys = {{
    {Key::AcquisitionRunning, "Options", "Checkbox_DataAcquistion", Kind::Bool,    false,             Written::AtClose},
    {Key::RecordPeriod,       "Options", "DataAcquistionSpeed",     Kind::Integer, 0,                 Written::AtClose},
    {Key::RecordFile,         "Options", "FileName",                Kind::String,  kDefaultRecordFile, Written::WhenPicked},
    {Key::SaveDate,           "Options", "SaveDate",                Kind::Bool,    true,              Written::AtClose},
    {Key::SaveTime,           "Options", "SaveTime",                Kind::Bool,    true,              Written::AtClose},
    {Key::SaveNumber,         "Options", "SaveDataCnt",             Kind::Bool,    true,              Written::AtClose},
    {Key::SaveTens,           "Options", "SaveTens",                Kind::Bool,    false,             Written::AtClose},
    {Key::SaveCounter,        "Options", "SaveCnt",                 Kind::Bool,    true,              Written::AtClose},
    {Key::SaveAnalog,         "Options", "SaveAdc",                 Kind::Bool,    false,             Written::AtClose},
    {Key::SaveOut1,           "Options", "SaveOut1",                Kind::Bool,    false,             Written::AtClose},
    {Key::SaveOut2,           "Options", "SaveOut2",                Kind::Bool,    false,             Written::AtClose},
    {Key::AutoStart,          "Options", "AutoSave",                Kind::Bool,    true,              Written::AtClose},
    {Key::ScreenLeft,         "Screen",  "ScreenLeft",              Kind::Integer, 10,                Written::AtClose},
    {Key::ScreenTop,          "Screen",  "ScreenTop",               Kind::Integer, 10,                Written::AtClose},
    {Key::UpdatePeriod,       "Options", "DataTime",                Kind::Integer, 0,                 Written::AtClose},
    {Key::Language,           "Options", "Language",                Kind::Integer, 1,                 Written::AtClose},
    // Beyond the program's first keys: the Charts page.
    {Key::ShowCharts,         "Options", "ShowCharts",              Kind::Bool,    false,             Written::AtCloseWhenUsed},
    {Key::ChartSamples,       "Options", "ChartSamples",            Kind::Integer, 1000000,           Written::AtCloseWhenUsed},
    {Key::ChartSpan,          "Options", "ChartSpan",               Kind::Integer, 0,                 Written::AtCloseWhenUsed},
    {Key::ChartSeries,        "Options", "ChartSeries",             Kind::Integer, 1,                 Written::AtCloseWhenUsed},
    {Key::ChartAutoScale,     "Options", "ChartAutoScale",          Kind::Bool,    true,              Written::AtCloseWhenUsed},
    {Key::ChartMinimum,       "Options", "ChartMinimum",            Kind::Number,  QString(),         Written::AtCloseWhenUsed},
    {Key::ChartMaximum,       "Options", "ChartMaximum",            Kind::Number,  QString(),         Written::AtCloseWhenUsed},
    // The Charts page's test capture.
    {Key::CaptureArmed,       "Options", "CaptureArmed",            Kind::Bool,    false,             Written::AtCloseWhenUsed},
    {Key::CaptureStart,       "Options", "CaptureStart",            Kind::Number,  QString("10"),     Written::AtCloseWhenUsed},
    {Key::CaptureEnd,         "Options", "CaptureEnd",              Kind::Number,  QString("5"),      Written::AtCloseWhenUsed},
    {Key::CaptureBreak,       "Options", "CaptureBreak",            Kind::Number,  QString("0"),      Written::AtCloseWhenUsed},
    {Key::CaptureLongest,     "Options", "CaptureLongest",          Kind::Number,  QString("0"),      Written::AtCloseWhenUsed},
    {Key::CaptureBefore,      "Options", "CaptureBefore",           Kind::Number,  QString("0.5"),    Written::AtCloseWhenUsed},
    {Key::CaptureAfter,       "Options", "CaptureAfter",            Kind::Number,  QString("0.5"),    Written::AtCloseWhenUsed},
    {Key::CaptureLower,       "Options", "CaptureLower",            Kind::Number,  QString(),         Written::AtCloseWhenUsed},
    {Key::CaptureUpper,       "Options", "CaptureUpper",            Kind::Number,  QString(),         Written::AtCloseWhenUsed},
    {Key::CaptureDirection,   "Options", "CaptureDirection",        Kind::Integer, 0,                 Written::AtCloseWhenUsed},
}};
// clang-format on

}  // namespace

std::span<const KeySpec> Keys() { return kKeys; }

const KeySpec& Spec(Key key) {
  for (const KeySpec& spec : kKeys) {
    if (spec.key == key) return spec;
  }
  return kKeys.front();  // every key has its row (a test pins the table)
}

Value Read(const IniFile& file, const KeySpec& spec) {
  const QString section = QString::fromLatin1(spec.section);
  const QString name = QString::fromLatin1(spec.name);
  switch (spec.kind) {
    case Kind::Bool: return file.readBool(section, name, std::get<bool>(spec.defaultValue));
    case Kind::Integer: return file.readInteger(section, name, std::get<int>(spec.defaultValue));
    case Kind::String:
    case Kind::Number: return file.readString(section, name, std::get<QString>(spec.defaultValue));
  }
  return spec.defaultValue;
}

void Write(IniFile& file, const KeySpec& spec, const Value& value) {
  const QString section = QString::fromLatin1(spec.section);
  const QString name = QString::fromLatin1(spec.name);
  if (const bool* b = std::get_if<bool>(&value)) {
    file.writeBool(section, name, *b);
  } else if (const int* i = std::get_if<int>(&value)) {
    file.writeInteger(section, name, *i);
  } else {
    file.writeString(section, name, std::get<QString>(value));
  }
}

void WriteAtClose(IniFile& file, const KeySpec& spec, const Value& value) {
  switch (spec.written) {
    case Written::WhenPicked: return;
    case Written::AtCloseWhenUsed:
      if (value == spec.defaultValue && !file.has(QString::fromLatin1(spec.section), QString::fromLatin1(spec.name))) {
        return;
      }
      break;
    case Written::AtClose: break;
  }
  Write(file, spec, value);
}

}  // namespace vestrix::settings
