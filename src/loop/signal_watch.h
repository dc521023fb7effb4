#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vestrix::loop {

// Turns the requests to end a program without a window into a call on the
// event loop's thread: SIGTERM, SIGINT and SIGHUP on Linux (the handler
// only writes to a pipe), the console's Ctrl+C, Ctrl+Break, close, log-off
// and shut-down on Windows (the close waits, for the time the system gives,
// until the watch ends). One at a time in a process.
class SignalWatch : public QObject {
  Q_OBJECT

 public:
  explicit SignalWatch(std::function<void()> onSignal, QObject* parent = nullptr);
  ~SignalWatch() override;

 private:
  void onReadable();

  std::function<void()> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vestrix::loop
