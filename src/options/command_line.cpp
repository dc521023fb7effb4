#include "options/command_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vestrix::options {

namespace {

std::string Usage(const ProgramInfo& info) {
  std::string usage = "usage: " + info.name + " [--help] [--version]";
  for (const auto& [option, what] : info.options) usage += " [" + option + "]";
  if (!info.operands.empty()) usage += " " + info.operands;
  return usage;
}

}  // namespace

std::string HelpText(const ProgramInfo& info) {
  std::string text = Usage(info) + "\n\n" + info.summary + "\n";
  if (!info.details.empty()) text += "\n" + info.details + "\n";
  std::vector<std::pair<std::string, std::string>> options = {{"--help", "show this text and exit"},
                                                              {"--version", "show the version and exit"}};
  options.insert(options.end(), info.options.begin(), info.options.end());
  std::size_t width = 0;
  for (const auto& option : options) width = std::max(width, option.first.size());
  // Every description, and every line of one, starts in one column.
  const std::string indent(2 + width + 2, ' ');
  text += "\nOptions:\n";
  for (const auto& [option, what] : options) {
    std::string lines = what;
    for (std::size_t at = lines.find('\n'); at != std::string::npos; at = lines.find('\n', at + 1)) {
      lines.insert(at + 1, indent);
    }
    text += "  " + option + std::string(width - option.size() + 2, ' ') + lines + "\n";
  }
  return text;
}

Parsed ParseCommandLine(int argc, char** argv, const ProgramInfo& info) {
  Parsed parsed;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(HelpText(info).c_str(), stdout);
      parsed.exitCode = 0;
      return parsed;
    }
    if (argument == "--version") {
      std::printf("%s %s\n", info.name.c_str(), kVersion.c_str());
      parsed.exitCode = 0;
      return parsed;
    }
    if (!info.operands.empty() && argument.rfind('-', 0) != 0) {
      parsed.operands.push_back(argument);
      continue;
    }
    const auto known = std::find_if(info.options.begin(), info.options.end(), [&](const auto& option) {
      return option.first == argument || option.first.rfind(argument + ' ', 0) == 0;
    });
    if (known == info.options.end()) {
      std::fprintf(stderr, "%s: unknown argument '%s'\n%s\n", info.name.c_str(), argument.c_str(), Usage(info).c_str());
      parsed.exitCode = 2;
      return parsed;
    }
    if (known->first != argument) {
      if (i + 1 == argc) {
        std::fprintf(stderr, "%s: '%s' needs a value\n%s\n", info.name.c_str(), argument.c_str(), Usage(info).c_str());
        parsed.exitCode = 2;
        return parsed;
      }
      parsed.values.emplace_back(argument, argv[++i]);
      continue;
    }
    parsed.options.push_back(argument);
  }
  return parsed;
}

std::optional<std::string> Parsed::value(const std::string& option) const {
  for (const auto& [name, value] : values) {
    if (name == option) return value;
  }
  return std::nullopt;
}

}  // namespace vestrix::options
