// The real program with two lines of output, so that a test can see the
// window come up and FormClose run.
#include "app/program.h"
#include "simulated_instrument/demo_bus.h"

#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

int main(int, char** argv) {
  // Settings and records in a folder of its own, gone when it ends.
  QTemporaryDir folder;
  if (::chdir(folder.path().toLocal8Bit().constData()) != 0) return 1;
  vestrix::app::ProgramHooks hooks;
  hooks.configFilePath = folder.filePath(QStringLiteral("config.ini"));
  hooks.onShown = [](vestrix::app::TFMain&) {
    std::puts("shown");
    std::fflush(stdout);
  };
  hooks.onFormClose = [] {
    std::puts("FormClose");
    std::fflush(stdout);
  };
  return vestrix::app::RunProgram(
      argv[0], [] { return vestrix::sim::MakeDemoBus(); }, hooks);
}
