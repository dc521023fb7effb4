#include "cli/command_arguments.h"

#include <gtest/gtest.h>

namespace vestrix::cli {
namespace {

struct ArgumentCase {
  std::vector<std::string> arguments;
  int exitCode;         // -1: the command runs
  std::string inError;  // a part of the one line on standard error
};

class Arguments : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(Arguments, AreReadOrRefusedWithOneLine) {
  const ArgumentCase& c = GetParam();
  const ParseOutcome outcome = ParseArguments(c.arguments);
  EXPECT_EQ(outcome.exitCode.value_or(-1), c.exitCode);
  if (c.exitCode == 2) {
    EXPECT_EQ(outcome.error.rfind("vestrix-cli: ", 0), 0u) << outcome.error;
    EXPECT_NE(outcome.error.find(c.inError), std::string::npos) << outcome.error;
    EXPECT_TRUE(outcome.out.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Arguments,
    ::testing::Values(
        ArgumentCase{{"list"}, -1, ""}, ArgumentCase{{"--demo", "get", "all"}, -1, ""},
        ArgumentCase{{"set", "TensOffset", "-5.5"}, -1, ""},  // a negative number is a value
        ArgumentCase{{"set", "--", "TensOffset", "-x"}, -1, ""},
        ArgumentCase{{"watch", "--count=3", "--format", "json"}, -1, ""}, ArgumentCase{{"record", "-"}, -1, ""},
        ArgumentCase{{}, 2, "no command"}, ArgumentCase{{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        ArgumentCase{{"watch", "--colour"}, 2, "unknown option '--colour'"},
        ArgumentCase{{"watch", "--count"}, 2, "'--count' needs a value"},
        ArgumentCase{{"watch", "--once=1"}, 2, "'--once' takes no value"},
        ArgumentCase{{"get"}, 2, "get takes PARAM|all"}, ArgumentCase{{"get", "a", "b"}, 2, "get takes PARAM|all"},
        ArgumentCase{{"list", "extra"}, 2, "list takes no operands"},
        ArgumentCase{{"get", "--every", "3", "all"}, 2, "unknown option '--every'"}, ArgumentCase{{"--help"}, 0, ""},
        ArgumentCase{{"record", "--help"}, 0, ""}, ArgumentCase{{"--version"}, 0, ""}));

TEST(ArgumentsHelp, NamesEveryCommandAndTheExitCodes) {
  const std::string help = ProgramHelp();
  for (const CommandSpec& command : Commands()) EXPECT_NE(help.find("  " + command.name), std::string::npos);
  for (const char* code : {"0  done", "1  a test failed", "2  a usage mistake", "3  no instrument",
                           "4  no read/write access", "5  no reply from the instrument within one second"}) {
    EXPECT_NE(help.find(code), std::string::npos) << code;
  }
  const ParseOutcome record = ParseArguments({"record", "--help"});
  EXPECT_NE(record.out.find("--columns LIST"), std::string::npos);
  EXPECT_NE(record.out.find("--device NODE"), std::string::npos);
}

}  // namespace
}  // namespace vestrix::cli
