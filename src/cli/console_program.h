#pragma once

#include "cli/console_environment.h"

#include <string>
#include <vector>

namespace vestrix::cli {

// The program: reads the command line (without the program's name), runs
// the command, and returns the exit code. Needs a QCoreApplication.
int RunConsole(const std::vector<std::string>& arguments, ConsoleEnvironment& environment);

}  // namespace vestrix::cli
