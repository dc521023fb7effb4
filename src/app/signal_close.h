#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace vestrix::app {

// Turns SIGTERM, SIGINT and SIGHUP into a close of the given window, exactly
// as if the user had closed it. The signal handler only writes to a pipe;
// the close happens on the GUI thread.
class SignalClose : public QObject {
  Q_OBJECT

 public:
  explicit SignalClose(QWidget* window);
  ~SignalClose() override;

 private:
  void onSignal();

  QWidget* window_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vestrix::app
