#include "cli/command_line.h"

#include "support/child_process.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vestrix::cli {
namespace {

const ProgramInfo kInfo{"tool", "Does a thing.", "More about it.", {{"--other", "another device too"}}, {}};

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

TEST(CommandLine, WithoutADisplayItSaysSoInOneLine) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  const QByteArray display = qgetenv("DISPLAY");
  const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
  qunsetenv("QT_QPA_PLATFORM");
  qunsetenv("DISPLAY");
  qunsetenv("WAYLAND_DISPLAY");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(CheckDisplay(kInfo));
  const std::string said = ::testing::internal::GetCapturedStderr();
  qputenv("DISPLAY", ":7");
  EXPECT_TRUE(CheckDisplay(kInfo));
  qunsetenv("DISPLAY");
  if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
  if (!display.isEmpty()) qputenv("DISPLAY", display);
  if (!wayland.isEmpty()) qputenv("WAYLAND_DISPLAY", wayland);
  EXPECT_EQ(said,
            "tool: no display: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen to run without one\n");
}

// The real demo program.
TEST(CommandLine, TheDemoAnswersAndRefuses) {
  {
    testing::ChildProcess demo(std::vector<std::string>{DEMO_PROGRAM, "--version"});
    EXPECT_EQ(demo.readLine(10000), "vestrix-pc-demo 1.10");
    EXPECT_EQ(demo.wait(), 0);
  }
  {
    testing::ChildProcess demo(std::vector<std::string>{DEMO_PROGRAM, "--bogus"});
    EXPECT_EQ(demo.wait(), 2);
  }
}

}  // namespace
}  // namespace vestrix::cli
