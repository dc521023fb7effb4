#include "options/command_line.h"

namespace vestrix::options {

// Windows always has its desktop to show a window on.
bool CheckDisplay(const ProgramInfo&) { return true; }

}  // namespace vestrix::options
