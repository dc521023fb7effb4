#pragma once

#include "settings/ini_file.h"

#include <QString>

#include <span>
#include <variant>

namespace vestrix::settings {

// Every key of the settings file, declared once in Keys() with its
// section, its place in the file and its default.
enum class Key {
  AcquisitionRunning,  // the run's check box
  RecordPeriod,        // position of the record-period list
  RecordFile,          // the record file's path
  SaveDate,            // the eight column boxes, in file order
  SaveTime,
  SaveNumber,
  SaveTens,
  SaveCounter,
  SaveAnalog,
  SaveOut1,
  SaveOut2,
  AutoStart,   // start recording at startup
  ScreenLeft,  // the window's edges
  ScreenTop,
  UpdatePeriod,  // position of the update-period list
  Language,      // 1 Polish, 2 English
  ShowCharts,    // the Charts page shown
  ChartSamples,  // how many samples its live history keeps
  ChartSpan,     // position of its span list
  ChartSeries,   // its series shown, one bit each
  ChartAutoScale,
  ChartMinimum,  // the fixed value range
  ChartMaximum,
  CaptureArmed,  // the test capture, and its rules
  CaptureStart,
  CaptureEnd,
  CaptureBreak,
  CaptureLongest,
  CaptureBefore,
  CaptureAfter,
  CaptureLower,
  CaptureUpper,
  CaptureDirection,
};

// Number: a number the user types, kept as text with a point whatever the
// user's decimal separator (empty for none).
enum class Kind { Bool, Integer, String, Number };

// When a key reaches the file: with the others when the window closes; at
// once when the user picks its value; or, for what the program's first
// keys did not have, at close once it is in use (its value is not the
// default, or the file has it already), so that a program whose new pages
// were never touched writes the file it always wrote.
enum class Written { AtClose, WhenPicked, AtCloseWhenUsed };

using Value = std::variant<bool, int, QString>;

struct KeySpec {
  Key key;
  const char* section;
  const char* name;
  Kind kind;
  Value defaultValue;
  Written written;
};

// In the file's order, which is the order of loading and of saving.
std::span<const KeySpec> Keys();
const KeySpec& Spec(Key key);

// A key's value as stored, of its kind; its default when the file lacks it
// or holds no value of that kind.
Value Read(const IniFile& file, const KeySpec& spec);
// Throws SettingsError when the file cannot be written.
void Write(IniFile& file, const KeySpec& spec, const Value& value);
// What the window writes at close: its value, unless the key is not written
// at close (a key in use only once in use).
void WriteAtClose(IniFile& file, const KeySpec& spec, const Value& value);

}  // namespace vestrix::settings
