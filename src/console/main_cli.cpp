// The instrument from a terminal and from scripts, talking to HID devices
// through hidraw.
#include "console/console_program.h"
#include "hid/linux/linux_platform.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char** argv) {
  // A reader that goes away (watch | head) is a write error, not a kill.
  std::signal(SIGPIPE, SIG_IGN);
  const QCoreApplication application(argc, argv);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  vestrix::console::ConsoleEnvironment environment =
      vestrix::console::SystemEnvironment([] { return std::make_unique<vestrix::hid::linux_hid::LinuxPlatform>(); });
  return vestrix::console::RunConsole(arguments, environment);
}
