#include "cli/console_environment.h"
#include "clock/local_clock.h"
#include "simulated_instrument/demo_bus.h"

#include <QDateTime>
#include <QLocale>

#include <unistd.h>

namespace vestrix::cli {

ConsoleEnvironment SystemEnvironment(std::function<std::unique_ptr<hid::Platform>()> systemPlatform) {
  ConsoleEnvironment env;
  env.errIsTerminal = ::isatty(2) == 1;
  env.systemPlatform = std::move(systemPlatform);
  env.demoPlatform = [](sim::Signal signal) { return sim::MakeDemoBus(signal); };
  env.localClock = clock::LocalClockNow;
  env.unixMs = [] { return QDateTime::currentMSecsSinceEpoch(); };
  env.monotonicMs = clock::MonotonicMsNow;
  // The record file's separator is the user's, as in the window.
  const QString point = QLocale::system().decimalPoint();
  env.decimalSeparator = point.size() == 1 ? point.front() : QLatin1Char('.');
  return env;
}

}  // namespace vestrix::cli
