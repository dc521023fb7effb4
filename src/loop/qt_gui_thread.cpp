#include "loop/qt_gui_thread.h"

namespace vestrix::loop {

QtGuiThread::QtGuiThread(std::function<void(std::exception_ptr)> onError)
    : onError_(std::move(onError)), wake_(CreateWakeChannel([this] { onWake(); })) {}

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
  for (std::function<void()>& call : calls) {
    try {
      call();
    } catch (...) {
      if (!onError_) throw;
      onError_(std::current_exception());
    }
  }
}

}  // namespace vestrix::loop
