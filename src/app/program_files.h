#pragma once

#include <QString>

namespace vestrix::app {

// The names of the files a program keeps. The demo keeps its settings and
// records apart from the real program's: made-up values never mix with
// measurements.
struct ProgramFiles {
  QString settingsName = QStringLiteral("config.ini");
  QString defaultRecordFile;  // empty: the settings table's default

  static ProgramFiles Demo() { return {QStringLiteral("demo.ini"), QStringLiteral("data-simulated.csv")}; }
};

}  // namespace vestrix::app
