// The command line where Linux decides: a display to connect to, and the
// real demo program answering in a process of its own.
#include "options/command_line.h"

#include "support/child_process.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace vestrix::options {
namespace {

const ProgramInfo kInfo{"tool", "Does a thing.", "More about it.", {}, {}};

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
  {
    testing::ChildProcess demo(std::vector<std::string>{DEMO_PROGRAM, "--signal", "square"});
    EXPECT_EQ(demo.wait(), 2);
  }
  {
    testing::ChildProcess demo(std::vector<std::string>{DEMO_PROGRAM, "--help"});
    std::string help;
    for (int line = 0; line < 40; ++line) help += demo.readLine(10000) + "\n";  // to its end
    EXPECT_NE(help.find("--signal SIGNAL"), std::string::npos) << help;
    EXPECT_NE(help.find("'tests'"), std::string::npos) << help;
    EXPECT_EQ(demo.wait(), 0);
  }
}

}  // namespace
}  // namespace vestrix::options
