#include "app/signal_close.h"

#include <QSocketNotifier>
#include <QWidget>

#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vestrix::app {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

SignalClose::SignalClose(QWidget* window) : window_(window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) return;
  notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SignalClose::onSignal);
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : kSignals) ::sigaction(sig, &action, nullptr);
}

SignalClose::~SignalClose() {
  for (int sig : kSignals) ::signal(sig, SIG_DFL);
  delete notifier_;
  for (int& fd : g_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void SignalClose::onSignal() {
  char buffer[16];
  while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
  }
  window_->close();
}

}  // namespace vestrix::app
