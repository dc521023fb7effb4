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
  QMetaObject::invokeMethod(
      &context_, [this] { serveHandovers(); }, Qt::QueuedConnection);
}

}  // namespace vestrix::app
