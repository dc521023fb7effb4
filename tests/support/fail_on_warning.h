#pragma once

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdio>

namespace vestrix::testing {

// What the machine the tests run on says of itself, not of the program.
inline bool FromTheEnvironment(const QString& message) {
  static const char* const kEnvironment[] = {
      // The runtime folder: unset, missing, or open to others (the VM's /tmp).
      "QStandardPaths: ",
      "This plugin does not support",
      // The fonts installed: a face without OpenType tables for a script.
      "OpenType support missing",
  };
  for (const char* known : kEnvironment) {
    if (message.trimmed().startsWith(QLatin1String(known))) return true;
  }
  return false;
}

// A warning from the program (a format with arguments missing, a
// connection to a signal that does not exist...) fails the test it came in.
inline void FailOnWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  if (type == QtDebugMsg || type == QtInfoMsg || FromTheEnvironment(message)) return;
  ADD_FAILURE() << "Qt warned: " << message.toStdString();
}

}  // namespace vestrix::testing
