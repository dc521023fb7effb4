// Standard output that cannot be written: a full disk is an error with its
// reason and exit code 6, for every command; a reader that went away ends a
// command quietly.
#include "cli/console_fixture.h"
#include "cli/exit_code.h"

#include <QDir>
#include <QTimer>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace vestrix::cli {
namespace {

// Standard output on a full disk, or to a reader that has gone (a pipe
// whose reading end is closed).
enum class Sink { FullDisk, ClosedPipe };

class OutputFailure : public ConsoleFixture {
 protected:
  ConsoleRun run(std::vector<std::string> arguments, Sink sink) {
    Output output;
    if (sink == Sink::FullDisk) {
      output = {std::fopen("/dev/full", "we"), ::open("/dev/full", O_WRONLY | O_CLOEXEC)};
    } else {
      // As the program itself has it: a write to a closed pipe fails, it does not kill.
      std::signal(SIGPIPE, SIG_IGN);
      int ends[2];
      if (::pipe2(ends, O_CLOEXEC) == 0) {
        ::close(ends[0]);
        output = {::fdopen(::dup(ends[1]), "w"), ends[1]};
      }
    }
    ConsoleRun result = runWith(std::move(arguments), output);
    ::close(output.fd);
    return result;
  }
  using ConsoleFixture::run;
};

struct Case {
  std::vector<std::string> arguments;
  int quietCode;  // its exit code when the reader goes away
};

const std::vector<Case> kCases = {
    {{"list"}, kDone},
    {{"get", "TensCoef"}, kDone},
    {{"get", "all"}, kDone},
    {{"get", "all", "--json"}, kDone},
    {{"set", "TensCoef", "4"}, kDone},
    {{"watch", "--count", "5", "--format", "json"}, kDone},
    {{"watch", "--count", "5", "--format", "csv"}, kDone},
    {{"record", "-", "--count", "5"}, kDone},
    {{"tests", "--duration", "0.2"}, kDone},
    {{"--help"}, kDone},
    {{"watch", "--help"}, kDone},
    {{"--version"}, kDone},
};

std::string Shown(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& a : arguments) text += a + " ";
  return text;
}

TEST_F(OutputFailure, AFullDiskIsAnErrorForEveryCommand) {
  for (const Case& c : kCases) {
    makeScripted();
    const ConsoleRun r = run(c.arguments, Sink::FullDisk);
    EXPECT_EQ(r.code, kOutputFailed) << Shown(c.arguments) << r.err;
    EXPECT_EQ(Lines(r.err),
              std::vector<std::string>{"vestrix-cli: cannot write standard output: No space left on device"})
        << Shown(c.arguments);
  }
}

TEST_F(OutputFailure, AReaderThatWentAwayEndsEveryCommandQuietly) {
  for (const Case& c : kCases) {
    makeScripted();
    const ConsoleRun r = run(c.arguments, Sink::ClosedPipe);
    EXPECT_EQ(r.code, c.quietCode) << Shown(c.arguments) << r.err;
    EXPECT_EQ(r.err, "") << Shown(c.arguments);
  }
}

// An endless watch or recording ends when its reader goes away.
TEST_F(OutputFailure, AnEndlessCommandEndsWhenItsReaderGoes) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"watch"}, {"record", "-"}, {"watch", "--format", "influx"}}) {
    const ConsoleRun r = run(arguments, Sink::ClosedPipe);
    EXPECT_EQ(r.code, kDone) << Shown(arguments) << r.err;
    EXPECT_EQ(r.err, "");
    const ConsoleRun full = run(arguments, Sink::FullDisk);
    EXPECT_EQ(full.code, kOutputFailed) << Shown(arguments) << full.err;
  }
}

// Records that never reached the record file make the recording fail, even
// when the file takes the later ones again.
TEST_F(OutputFailure, RecordsLostOnTheWayToTheFileAreAFailure) {
  makeScripted();
  const QString folder = dir.filePath("gone");
  ASSERT_TRUE(QDir().mkpath(folder));
  const std::string target = (folder + "/r.csv").toStdString();
  // The folder goes away while the recording runs: the file, looked at once
  // a second, is begun again and cannot be.
  std::atomic<bool> removed{false};
  QTimer::singleShot(300, [&] { removed = QDir(folder).removeRecursively(); });
  const ConsoleRun r = run({"record", target, "--duration", "1.6"});
  EXPECT_TRUE(removed);
  EXPECT_EQ(r.code, kOutputFailed) << r.err;
  EXPECT_NE(r.err.find("records could not be written to " + target), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vestrix::cli
