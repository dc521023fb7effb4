#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vestrix::options {

// What a program says of itself on the command line.
struct ProgramInfo {
  std::string name;     // "vestrix-pc"
  std::string summary;  // one line: what it does
  std::string details;  // further paragraphs of --help (may be empty)
  // Options of its own beyond --help and --version: "--other" and what it
  // does; "--other VALUE" for an option that takes a value.
  std::vector<std::pair<std::string, std::string>> options;
  // Arguments that are not options, as the usage line names them ("DIR");
  // empty when it takes none.
  std::string operands;
};

// The version every program reports.
inline const std::string kVersion = "1.10";

// Handles --help and --version (text on standard output, exit code 0) and
// refuses what the program does not know (a usage line on standard error,
// exit code 2). Gives the program's own options that were given, or the
// exit code to end with.
struct Parsed {
  std::vector<std::string> options;
  std::vector<std::pair<std::string, std::string>> values;  // of the options that take one
  std::vector<std::string> operands;
  std::optional<int> exitCode;

  // The value given to an option, if it was.
  std::optional<std::string> value(const std::string& option) const;
};
Parsed ParseCommandLine(int argc, char** argv, const ProgramInfo& info);

// The --help text.
std::string HelpText(const ProgramInfo& info);

// Whether a window can be shown: a display to connect to, or a platform
// chosen with QT_QPA_PLATFORM. Without one, says so in one line on
// standard error.
bool CheckDisplay(const ProgramInfo& info);

}  // namespace vestrix::options
