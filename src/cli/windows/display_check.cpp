#include "cli/command_line.h"

namespace vestrix::cli {

// Windows always has its desktop to show a window on.
bool CheckDisplay(const ProgramInfo&) { return true; }

}  // namespace vestrix::cli
