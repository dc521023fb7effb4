#include "app/qt_gui_thread.h"

#include "app/error_box.h"

namespace vestrix::app {

QtGuiThread::QtGuiThread() : wake_(CreateWakeChannel([this] { onWake(); })) {}

QtGuiThread::~QtGuiThread() = default;

void QtGuiThread::post(std::function<void()> call) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(call));
  }
  scheduleServe();
}

void QtGuiThread::scheduleServe() {
  if (wakePending_.exchange(true)) return;
  wake_->wake();
}

void QtGuiThread::onWake() {
  wakePending_ = false;  // before serving: whatever is queued from now on wakes us again
  serveHandovers();
  std::deque<std::function<void()>> calls;
  {
    std::lock_guard lock(postedMutex_);
    calls.swap(posted_);
  }
  for (std::function<void()>& call : calls) RunGuarded(call);
}

}  // namespace vestrix::app
