// The instrument from a terminal and from scripts, talking to HID devices
// through the system's HID services.
#include "cli/console_program.h"
#include "hid/system_platform.h"
#include "loop/process_setup.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
  // A reader that goes away (watch | head) is a write error, not a kill.
  vestrix::loop::PrepareProcess();
  const QCoreApplication application(argc, argv);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  vestrix::cli::ConsoleEnvironment environment =
      vestrix::cli::SystemEnvironment([] { return vestrix::hid::MakeSystemPlatform(); });
  return vestrix::cli::RunConsole(arguments, environment);
}
