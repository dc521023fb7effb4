// The program as users run it: a recording ended by a signal leaves the
// file complete.
#include "cli/console_fixture.h"

#include "support/child_process.h"

#include <csignal>
#include <thread>

namespace vestrix::cli {
namespace {

class RecordSignal : public ::testing::TestWithParam<int> {};

TEST_P(RecordSignal, EndsTheRecordingWithTheFileComplete) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("r.csv").toStdString();
  testing::ChildProcess cli({VESTRIX_CLI, "--demo", "record", file});
  ASSERT_TRUE(cli.started());
  // Records reach the file while it runs: wait for a few of them.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::string text;
  while (Lines(text).size() < 10 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ifstream in(file, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_GE(Lines(text).size(), 10u);
  cli.signal(GetParam());
  EXPECT_EQ(cli.wait(), 0);
  std::ifstream in(file, std::ios::binary);
  text.assign(std::istreambuf_iterator<char>(in), {});
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const std::vector<std::string> lines = Lines(text);
  EXPECT_EQ(lines.front(), "Date;Time;No.;Enkoder;");
  // Date;Time;No.;Enkoder; on every line, numbered from 0 without a gap.
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> fields;
    std::istringstream line(lines[i]);
    for (std::string field; std::getline(line, field, ';');) fields.push_back(field);
    ASSERT_EQ(fields.size(), 4u) << lines[i];
    EXPECT_EQ(fields[2], std::to_string(i - 1)) << lines[i];
  }
}

INSTANTIATE_TEST_SUITE_P(Signals, RecordSignal, ::testing::Values(SIGTERM, SIGINT));

}  // namespace
}  // namespace vestrix::cli
