#include "hid/manual_gui_thread.h"

namespace vestrix::hid {

void ManualGuiThread::post(std::function<void()> call) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(call));
  }
  work_.notify_all();
}

void ManualGuiThread::scheduleServe() {
  {
    std::lock_guard lock(mutex_);
    serveRequested_ = true;
  }
  work_.notify_all();
}

int ManualGuiThread::processEvents() {
  std::deque<std::function<void()>> calls;
  {
    std::lock_guard lock(mutex_);
    calls.swap(posted_);
    serveRequested_ = false;
  }
  int count = serveHandovers();
  for (auto& call : calls) {
    call();
    ++count;
  }
  return count + serveHandovers();
}

bool ManualGuiThread::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    processEvents();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    // Conditions changed by other threads without posting are seen within 1 ms.
    std::unique_lock lock(mutex_);
    work_.wait_for(lock, std::chrono::milliseconds(1), [&] { return !posted_.empty() || serveRequested_; });
  }
}

}  // namespace vestrix::hid
