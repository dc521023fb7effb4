#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vestrix::loop {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop's thread:
// the signal handler only writes to a pipe. One at a time in a process.
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
