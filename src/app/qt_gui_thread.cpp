#include "app/qt_gui_thread.h"

#include "app/error_box.h"

#include <QMetaObject>

namespace vestrix::app {

QtGuiThread::QtGuiThread() = default;

void QtGuiThread::post(std::function<void()> call) {
  QMetaObject::invokeMethod(
      &context_, [call = std::move(call)] { RunGuarded(call); }, Qt::QueuedConnection);
}

void QtGuiThread::scheduleServe() {
  if (serveQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(
      &context_,
      [this] {
        serveQueued_ = false;  // before serving: a hand-over queued from now on queues a new serve
        serveHandovers();
      },
      Qt::QueuedConnection);
}

}  // namespace vestrix::app
