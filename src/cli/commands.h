#pragma once

#include "cli/command_context.h"

namespace vestrix::cli {

// The commands of the program; each returns its exit code, or ends with
// CommandEnd.
int ListCommand(CommandContext& context);
int WatchCommand(CommandContext& context);
int RecordCommand(CommandContext& context);
int GetCommand(CommandContext& context);
int SetCommand(CommandContext& context);
// tare, calibrate, reset-minmax.
int ActionCommand(CommandContext& context);
int TestsCommand(CommandContext& context);

}  // namespace vestrix::cli
