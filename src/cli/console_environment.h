#pragma once

#include "hid/platform.h"
#include "record/record_line.h"
#include "simulated_instrument/instrument_model.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

namespace vestrix::cli {

// What the program meets outside itself; tests put in their own.
struct ConsoleEnvironment {
  std::FILE* out = stdout;
  std::FILE* err = stderr;
  bool errIsTerminal = false;  // progress lines go there only then
  int outDescriptor = 1;       // what "record -" writes to

  // The HID services of the system, and the simulated bus of --demo.
  std::function<std::unique_ptr<hid::Platform>()> systemPlatform;
  std::function<std::unique_ptr<hid::Platform>(sim::Signal)> demoPlatform;

  // The PC's local clock (record lines), milliseconds since the epoch
  // (time-series points) and a clock that never goes back (time limits).
  std::function<record::ClockReading()> localClock;
  std::function<std::int64_t()> unixMs;
  std::function<std::int64_t()> monotonicMs;

  // The window's settings file (for the tests' rules); empty: where the
  // window beside this program keeps it.
  QString settingsFile;
  // Of the record and text lines, as the window has it: the user's.
  QChar decimalSeparator = QLatin1Char('.');
};

// The environment of the running program: standard streams, the system's
// clocks, the simulated bus, the user's decimal separator.
ConsoleEnvironment SystemEnvironment(std::function<std::unique_ptr<hid::Platform>()> systemPlatform);

}  // namespace vestrix::cli
