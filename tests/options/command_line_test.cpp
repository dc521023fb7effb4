#include "options/command_line.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vestrix::options {
namespace {

const ProgramInfo kInfo{"tool",
                        "Does a thing.",
                        "More about it.",
                        {{"--other", "another device too"}, {"--signal NAME", "what it feels"}},
                        {}};

Parsed Parse(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), kInfo);
}

TEST(CommandLine, HelpVersionAndOwnOptions) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Parse({"tool", "--version"}).exitCode, 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "tool 1.10\n");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Parse({"tool", "--help"}).exitCode, 0);
  const std::string help = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(help.find("usage: tool [--help] [--version] [--other]"), std::string::npos) << help;
  EXPECT_NE(help.find("Does a thing."), std::string::npos);
  EXPECT_NE(help.find("--other"), std::string::npos);
  const Parsed own = Parse({"tool", "--other"});
  EXPECT_FALSE(own.exitCode);
  EXPECT_EQ(own.options, std::vector<std::string>{"--other"});
  EXPECT_FALSE(Parse({"tool"}).exitCode);
}

// Every option's description, and each of its lines, starts in one column.
TEST(CommandLine, TheOptionsLineUp) {
  const ProgramInfo info{"tool", "Does a thing.", "", {{"--signal SIGNAL", "first line\nsecond line"}}, {}};
  const std::string help = HelpText(info);
  const std::string options = help.substr(help.find("Options:\n") + 9);
  std::vector<std::size_t> columns;
  for (std::size_t at = 0; at < options.size();) {
    const std::size_t end = options.find('\n', at);
    const std::string line = options.substr(at, end - at);
    // The description begins after the option and two blanks, or after the indent.
    const std::size_t gap = line.find("  ", 2);
    columns.push_back(line.find_first_not_of(' ', gap == std::string::npos ? 0 : gap));
    at = end + 1;
  }
  ASSERT_EQ(columns.size(), 4u) << help;
  for (const std::size_t column : columns) EXPECT_EQ(column, columns.front()) << help;
}

TEST(CommandLine, AnOptionWithAValue) {
  const Parsed given = Parse({"tool", "--signal", "tests", "--other"});
  EXPECT_FALSE(given.exitCode);
  EXPECT_EQ(given.value("--signal"), "tests");
  EXPECT_EQ(given.options, std::vector<std::string>{"--other"});
  EXPECT_FALSE(Parse({"tool"}).value("--signal"));
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Parse({"tool", "--signal"}).exitCode, 2);  // without its value
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("'--signal' needs a value"), std::string::npos);
}

TEST(CommandLine, AnUnknownArgumentIsRefusedWithAUsageLine) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Parse({"tool", "--verbose"}).exitCode, 2);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("unknown argument '--verbose'"), std::string::npos) << said;
  EXPECT_NE(said.find("usage: tool"), std::string::npos) << said;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Parse({"tool", "file.csv"}).exitCode, 2);
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace vestrix::options
