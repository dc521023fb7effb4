#include "loop/signal_watch.h"

#include <QWinEventNotifier>

#include <atomic>

#include <windows.h>

namespace vestrix::loop {

namespace {

// The console's events come on a thread of the system's own: the handler
// only sets an event that the event loop waits on. Both events live as long
// as the process: a handler may still be using one when a watch ends.
const HANDLE g_signalled = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
const HANDLE g_finished = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
std::atomic<bool> g_watching{false};

BOOL WINAPI OnConsoleEvent(DWORD type) {
  if (!g_watching) return FALSE;
  ::SetEvent(g_signalled);
  switch (type) {
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      // The process ends once this returns: the program is given the time
      // the system allows to finish what it writes.
      ::WaitForSingleObject(g_finished, 4500);
      return TRUE;
    default: return TRUE;  // Ctrl+C, Ctrl+Break: handled, the program ends by itself
  }
}

}  // namespace

SignalWatch::SignalWatch(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
  ::ResetEvent(g_signalled);
  ::ResetEvent(g_finished);
  auto* notifier = new QWinEventNotifier(g_signalled, this);
  connect(notifier, &QWinEventNotifier::activated, this, &SignalWatch::onReadable);
  g_watching = true;
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

SignalWatch::~SignalWatch() {
  g_watching = false;
  ::SetEvent(g_finished);
  ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  delete findChild<QWinEventNotifier*>();
}

void SignalWatch::onReadable() { onSignal_(); }

}  // namespace vestrix::loop
