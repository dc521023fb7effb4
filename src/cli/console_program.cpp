#include "cli/console_program.h"

#include "cli/command_arguments.h"
#include "cli/command_context.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/standard_output.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace vestrix::cli {

namespace {

using Command = int (*)(CommandContext&);

const std::map<std::string, Command> kRunners = {
    {"list", ListCommand},   {"watch", WatchCommand}, {"record", RecordCommand},    {"get", GetCommand},
    {"set", SetCommand},     {"tare", ActionCommand}, {"calibrate", ActionCommand}, {"reset-minmax", ActionCommand},
    {"tests", TestsCommand},
};

void Note(ConsoleEnvironment& environment, const std::string& line) {
  std::fputs(("vestrix-cli: " + line + "\n").c_str(), environment.err);
  std::fflush(environment.err);
}

// What standard output makes of the command's end: output that could not
// be written is an error, never a success; a reader that went away is not.
int Finish(StandardOutput& output, ConsoleEnvironment& environment, int code) {
  if (output.finish() == 0 || output.readerGone()) return code;
  Note(environment, std::string("cannot write standard output: ") + std::strerror(output.error()));
  return kOutputFailed;
}

}  // namespace

int RunConsole(const std::vector<std::string>& arguments, ConsoleEnvironment& environment) {
  StandardOutput output(environment.out);
  const ParseOutcome parsed = ParseArguments(arguments);
  if (parsed.exitCode) {
    output.write(parsed.out);
    std::fputs(parsed.error.c_str(), environment.err);
    return Finish(output, environment, *parsed.exitCode);
  }
  int code = kDone;
  try {
    CommandContext context(parsed.invocation, environment, output);
    code = kRunners.at(parsed.invocation.command->name)(context);
  } catch (const CommandEnd& end) {
    if (!end.line.empty()) Note(environment, end.line);
    code = end.code;
  }
  return Finish(output, environment, code);
}

}  // namespace vestrix::cli
