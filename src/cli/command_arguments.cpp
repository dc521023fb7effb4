#include "cli/command_arguments.h"

#include "options/command_line.h"
#include "protocol/parameter_table.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vestrix::cli {

namespace {

const std::string kProgram = "vestrix-cli";

const std::string kExitCodes =
    "Exit codes:\n"
    "  0  done\n"
    "  1  a test failed, or a value read back is not the one sent\n"
    "  2  a usage mistake or an invalid value: nothing was sent\n"
    "  3  no instrument (at the device given)\n"
    "  4  no read/write access to the instrument, or another program holds it\n"
    "  5  no reply from the instrument within one second\n"
    "  6  output could not be written: standard output (a full disk, not a closed pipe), or records\n"
    "     that never reached the record file\n";

const std::vector<OptionSpec> kCommon = {
    {"--device", "NODE",
     "the instrument at this device node (/dev/hidrawN; on Windows the device path 'list'\n"
     "gives), when several are plugged in"},
    {"--demo", "", "a simulated instrument instead of the hardware"},
    {"--signal", "SIGNAL", "with --demo: 'wave' (the default) or 'tests' (a series of pull tests)"},
    {"--help", "", "show the help and exit"},
};

// The shortest text without an exponent that reads back as the float.
std::string FixedText(float value) {
  char buffer[64];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

// What a parameter takes: its kind, and its range or its entries ("N to M"
// for numbered ones), each entry as typed.
std::string ValueText(const protocol::Parameter& p) {
  switch (p.kind) {
    case protocol::ValueKind::Float32: return "a number, " + FixedText(p.lower) + " to " + FixedText(p.upper);
    case protocol::ValueKind::UInt32:
      return "a whole number, " + std::to_string(static_cast<long long>(p.lower)) + " to " +
             std::to_string(static_cast<long long>(p.upper));
    case protocol::ValueKind::Index:
    case protocol::ValueKind::ModbusAddress: break;
  }
  std::string text = "one of: ";
  for (std::size_t i = 0; i < p.choices.fixed.size(); ++i)
    text += (i > 0 ? " | " : "") + std::string(p.choices.fixed[i]);
  if (p.choices.numberedTo >= p.choices.numberedFrom) {
    text += std::string(p.choices.fixed.empty() ? "" : " | ") + std::to_string(p.choices.numberedFrom) + " to " +
            std::to_string(p.choices.numberedTo);
  }
  return text;
}

// The parameters' names on one line, then what each takes, one a line
// (shell completion reads both).
std::string ParameterNames() {
  std::string names = "Parameters:\n ";
  for (const protocol::Parameter& parameter : protocol::Parameters()) names += std::string(" ") + parameter.name;
  names += "\n\nValues:\n";
  for (const protocol::Parameter& parameter : protocol::Parameters()) {
    std::string name = std::string("  ") + parameter.name;
    name.resize(std::max<std::size_t>(name.size() + 2, 17), ' ');
    names += name + ValueText(parameter) + "\n";
  }
  names.pop_back();
  return names;
}

const std::vector<CommandSpec> kCommands = {
    {"list", "", 0, 0, "list the HID devices, the instrument marked, with their access", {}, ""},
    {"watch",
     "",
     0,
     0,
     "print the measurements as they arrive, one line each",
     {{"--count", "N", "stop after N measurements"},
      {"--once", "", "print one measurement and exit"},
      {"--format", "FORMAT",
       "text (the Display page's values, the default), json (JSON lines), csv (the record\n"
       "file's lines) or influx (the line protocol of time-series databases)"}},
     ""},
    {"record",
     "FILE|-",
     1,
     1,
     "record the measurements to a file (appended) or to standard output (-)",
     {{"--every", "N", "a record every N measurements (default 1: every 15 ms)"},
      {"--columns", "LIST", "the columns, of date,time,no,tens,enc,adc,out1,out2 (default date,time,no,enc)"},
      {"--duration", "SECONDS", "stop after this time"},
      {"--count", "N", "stop after N records"}},
     "The same file as the window writes. SIGINT or SIGTERM end the recording with the file complete."},
    {"get",
     "PARAM|all",
     1,
     1,
     "read a parameter, or all of them",
     {{"--json", "", "as JSON; 'get all --json' writes a configuration backup"}},
     ParameterNames()},
    {"set",
     "PARAM VALUE | --from FILE",
     0,
     2,
     "write a parameter and read it back, or restore a backup",
     {{"--from", "FILE", "restore the parameters of a backup ('get all --json'), only those that differ"},
      {"--dry-run", "", "with --from: check the file and say what would change, send nothing"}},
     "Numbers are written with a point. A list takes its entry's text or its value (the position\n"
     "from 0; for ModbusAdr the address). A number beyond a parameter's range is clamped to it.\n\n" +
         ParameterNames()},
    {"tare", "", 0, 0, "tare the tensometric input", {}, ""},
    {"calibrate", "", 0, 0, "calibrate the input", {}, ""},
    {"reset-minmax", "", 0, 0, "reset the minimum and maximum", {}, ""},
    {"tests",
     "",
     0,
     0,
     "capture force tests and judge their peaks",
     {{"--count", "N", "stop after N tests"},
      {"--duration", "SECONDS", "stop after this time"},
      {"--direction", "DIRECTION", "'tension' (pull) or 'compression' (push: every rule the other way up)"},
      {"--start", "LEVEL", "a test starts when the force rises through this level"},
      {"--end", "LEVEL", "and ends when it falls below this one,"},
      {"--break", "PERCENT", "or drops this share below its peak (0: off),"},
      {"--longest", "SECONDS", "or has lasted this long (0: no limit)"},
      {"--before", "SECONDS", "samples kept before a test"},
      {"--after", "SECONDS", "samples kept after a test"},
      {"--lower", "PEAK", "the lowest peak that passes (empty: none)"},
      {"--upper", "PEAK", "the highest peak that passes (empty: none)"}},
     "The rules not given are the Charts page's, from the window's settings file."},
};

std::string OptionLine(const OptionSpec& option) {
  std::string head = "  " + option.name + (option.value.empty() ? "" : " " + option.value);
  std::string help = option.help;
  // Continuation lines line up with the first.
  for (std::size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1)) {
    help.insert(at + 1, std::string(22, ' '));
  }
  return head + std::string(head.size() < 20 ? 22 - head.size() : 2, ' ') + help + "\n";
}

std::string CommandUsage(const CommandSpec& command) {
  std::string usage = "usage: " + kProgram + " " + command.name + " [options]";
  if (!command.operands.empty()) usage += " " + command.operands;
  return usage;
}

bool LooksLikeNumber(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-' &&
         (std::isdigit(static_cast<unsigned char>(argument[1])) || argument[1] == '.' || argument[1] == ',');
}

ParseOutcome Mistake(const std::string& what, const std::string& usage) {
  ParseOutcome outcome;
  outcome.exitCode = 2;
  outcome.error = kProgram + ": " + what + "\n" + usage + "\n";
  return outcome;
}

}  // namespace

const std::vector<CommandSpec>& Commands() { return kCommands; }
const std::vector<OptionSpec>& CommonOptions() { return kCommon; }

std::optional<std::string> Invocation::value(const std::string& option) const {
  const auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

std::string ProgramHelp() {
  std::string text = "usage: " + kProgram + " [options] COMMAND [command options]\n\n" +
                     "The VESTRIX instrument from a terminal and from scripts: the instrument is found as the\n"
                     "window finds it (its product string), on the device link, protocol and files of the window.\n"
                     "\nCommands:\n";
  for (const CommandSpec& command : kCommands) {
    const std::string head = "  " + command.name + (command.operands.empty() ? "" : " " + command.operands);
    text += head + std::string(head.size() < 20 ? 22 - head.size() : 2, ' ') + command.summary + "\n";
  }
  text += "\nOptions of every command:\n";
  for (const OptionSpec& option : kCommon) text += OptionLine(option);
  text += OptionLine({"--version", "", "show the version and exit"});
  text += "\n'" + kProgram + " COMMAND --help' tells a command's options.\n\n" + kExitCodes;
  return text;
}

std::string CommandHelp(const CommandSpec& command) {
  std::string text = CommandUsage(command) + "\n\n" + command.summary + ".\n";
  if (!command.details.empty()) text += "\n" + command.details + "\n";
  if (!command.options.empty()) {
    text += "\nOptions:\n";
    for (const OptionSpec& option : command.options) text += OptionLine(option);
  }
  text += "\nOptions of every command:\n";
  for (const OptionSpec& option : kCommon) text += OptionLine(option);
  return text + "\n" + kExitCodes;
}

ParseOutcome ParseArguments(const std::vector<std::string>& arguments) {
  ParseOutcome outcome;
  Invocation& invocation = outcome.invocation;
  const std::string programUsage = "usage: " + kProgram + " [options] COMMAND [command options] (see --help)";
  bool help = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::string usage = invocation.command ? CommandUsage(*invocation.command) : programUsage;
    const bool option = !optionsEnded && argument.size() > 1 && argument[0] == '-' && !LooksLikeNumber(argument);
    if (!option) {
      if (invocation.command == nullptr) {
        const auto found =
            std::find_if(kCommands.begin(), kCommands.end(), [&](const CommandSpec& c) { return c.name == argument; });
        if (found == kCommands.end()) return Mistake("unknown command '" + argument + "'", programUsage);
        invocation.command = &*found;
      } else {
        invocation.operands.push_back(argument);
      }
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      help = true;
      continue;
    }
    if (argument == "--version") {
      outcome.exitCode = 0;
      outcome.out = kProgram + " " + options::kVersion + "\n";
      return outcome;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& o : kCommon) {
      if (o.name == name) spec = &o;
    }
    if (invocation.command != nullptr) {
      for (const OptionSpec& o : invocation.command->options) {
        if (o.name == name) spec = &o;
      }
    }
    if (spec == nullptr) return Mistake("unknown option '" + name + "'", usage);
    if (spec->value.empty()) {
      if (equals != std::string::npos) return Mistake("'" + name + "' takes no value", usage);
      invocation.flags.insert(name);
    } else if (equals != std::string::npos) {
      invocation.values[name] = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      invocation.values[name] = arguments[++i];
    } else {
      return Mistake("'" + name + "' needs a value (" + spec->value + ")", usage);
    }
  }
  if (help) {
    outcome.exitCode = 0;
    outcome.out = invocation.command ? CommandHelp(*invocation.command) : ProgramHelp();
    return outcome;
  }
  if (invocation.command == nullptr) return Mistake("no command given", programUsage);
  const CommandSpec& command = *invocation.command;
  const int operands = static_cast<int>(invocation.operands.size());
  if (operands < command.minOperands || operands > command.maxOperands) {
    return Mistake(command.name + (command.operands.empty() ? " takes no operands" : " takes " + command.operands),
                   CommandUsage(command));
  }
  return outcome;
}

}  // namespace vestrix::cli
