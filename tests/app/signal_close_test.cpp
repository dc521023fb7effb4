#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Reads a line from fd within the timeout; empty on time-out or end.
std::string ReadLine(int fd, int timeoutMs) {
  std::string line;
  char c;
  while (true) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return line;
    if (::read(fd, &c, 1) != 1) return line;
    if (c == '\n') return line;
    line += c;
  }
}

class SignalClose : public ::testing::TestWithParam<int> {};

// A termination signal closes the window as the user's close does:
// FormClose runs and the process exits with 0.
TEST_P(SignalClose, ClosesWindowAndExitsWithZero) {
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string platform = "QT_QPA_PLATFORM=offscreen";
  std::vector<char*> env;
  for (char** e = environ; *e; ++e) {
    if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) env.push_back(*e);
  }
  env.push_back(platform.data());
  env.push_back(nullptr);
  char probe[] = SIGNAL_PROBE;
  char* argv[] = {probe, nullptr};
  pid_t pid;
  ASSERT_EQ(posix_spawn(&pid, probe, &actions, nullptr, argv, env.data()), 0);
  ::close(out[1]);

  EXPECT_EQ(ReadLine(out[0], 30000), "shown");
  ::kill(pid, GetParam());
  EXPECT_EQ(ReadLine(out[0], 30000), "FormClose");
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ::close(out[0]);
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalClose, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
