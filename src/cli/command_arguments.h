#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vestrix::cli {

// An option: "--count" with a value named "N", or a flag (no value name).
struct OptionSpec {
  std::string name;
  std::string value;
  std::string help;
};

// A command of the program, as --help presents it.
struct CommandSpec {
  std::string name;
  std::string operands;  // as the usage line names them
  int minOperands = 0;
  int maxOperands = 0;
  std::string summary;
  std::vector<OptionSpec> options;
  std::string details;  // further lines of its --help
};

const std::vector<CommandSpec>& Commands();
// The options every command takes.
const std::vector<OptionSpec>& CommonOptions();

// What the command line asks for.
struct Invocation {
  const CommandSpec* command = nullptr;
  std::vector<std::string> operands;
  std::map<std::string, std::string> values;  // of the options given with a value, by name
  std::set<std::string> flags;

  bool has(const std::string& option) const { return flags.count(option) != 0 || values.count(option) != 0; }
  std::optional<std::string> value(const std::string& option) const;
};

// The command line read: the invocation, or the text to print and the
// exit code to end with (help and version: standard output, code 0; a
// mistake: one line and the usage on standard error, code 2).
struct ParseOutcome {
  Invocation invocation;
  std::optional<int> exitCode;
  std::string out;
  std::string error;
};
ParseOutcome ParseArguments(const std::vector<std::string>& arguments);

std::string ProgramHelp();
std::string CommandHelp(const CommandSpec& command);

}  // namespace vestrix::cli
