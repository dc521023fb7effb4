#include "console/console_program.h"

#include "console/command_arguments.h"
#include "console/command_context.h"
#include "console/commands.h"
#include "console/exit_code.h"

#include <cstdio>
#include <map>

namespace vestrix::console {

namespace {

using Command = int (*)(CommandContext&);

const std::map<std::string, Command> kRunners = {
    {"list", ListCommand},   {"watch", WatchCommand}, {"record", RecordCommand},    {"get", GetCommand},
    {"set", SetCommand},     {"tare", ActionCommand}, {"calibrate", ActionCommand}, {"reset-minmax", ActionCommand},
    {"tests", TestsCommand},
};

}  // namespace

int RunConsole(const std::vector<std::string>& arguments, ConsoleEnvironment& environment) {
  const ParseOutcome parsed = ParseArguments(arguments);
  if (parsed.exitCode) {
    std::fputs(parsed.out.c_str(), environment.out);
    std::fputs(parsed.error.c_str(), environment.err);
    std::fflush(environment.out);
    return *parsed.exitCode;
  }
  try {
    CommandContext context(parsed.invocation, environment);
    return kRunners.at(parsed.invocation.command->name)(context);
  } catch (const CommandEnd& end) {
    if (!end.line.empty()) std::fputs(("vestrix-cli: " + end.line + "\n").c_str(), environment.err);
    return end.code;
  }
}

}  // namespace vestrix::console
