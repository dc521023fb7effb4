#pragma once

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vestrix::testing {

// A program started on Qt's offscreen platform, its standard output piped.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& path) : ChildProcess(std::vector<std::string>{path}) {}

  // Runs arguments[0] with the arguments, in the folder given (or this one).
  explicit ChildProcess(std::vector<std::string> arguments, const std::string& folder = {}) {
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::string platform = "QT_QPA_PLATFORM=offscreen";
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) {
      if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) env.push_back(*e);
    }
    env.push_back(platform.data());
    env.push_back(nullptr);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), env.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    out_ = out[0];
  }

  ~ChildProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }

  bool started() const { return pid_ > 0; }
  void signal(int sig) { ::kill(pid_, sig); }

  // A line of its output within the timeout; empty on time-out or end.
  std::string readLine(int timeoutMs) {
    std::string line;
    char c;
    while (true) {
      pollfd p{out_, POLLIN, 0};
      if (::poll(&p, 1, timeoutMs) <= 0 || ::read(out_, &c, 1) != 1 || c == '\n') return line;
      line += c;
    }
  }

  // Still running after the given time?
  bool aliveAfter(int ms) {
    ::usleep(static_cast<useconds_t>(ms) * 1000);
    return ::waitpid(pid_, &status_, WNOHANG) == 0;
  }

  // Waits for the end; the exit code, or -1 when it did not exit normally.
  int wait() {
    if (::waitpid(pid_, &status_, 0) != pid_) return -1;
    pid_ = -1;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int status_ = 0;
};

}  // namespace vestrix::testing
