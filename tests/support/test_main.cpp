#include "app/fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// What the machine the tests run on says of itself, not of the program.
bool FromTheEnvironment(const QString& message) {
  static const char* const kEnvironment[] = {
      "QStandardPaths: XDG_RUNTIME_DIR not set",
      "QStandardPaths: runtime directory",
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
void FailOnWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  if (type == QtDebugMsg || type == QtInfoMsg || FromTheEnvironment(message)) return;
  ADD_FAILURE() << "Qt warned: " << message.toStdString();
}

}  // namespace

// Every test program has an application object, so that widgets can be built.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  qInstallMessageHandler(FailOnWarning);
  QApplication application(argc, argv);
  vestrix::app::LoadApplicationFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
