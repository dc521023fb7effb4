#include "hid/handover_gui_thread.h"

namespace vestrix::hid {

HandoverGuiThread::HandoverGuiThread() : guiThread_(std::this_thread::get_id()) {}

void HandoverGuiThread::invokeBlocking(const std::function<void()>& call) {
  if (onGuiThread()) {
    call();
    return;
  }
  Pending pending{&call, nullptr};
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(&pending);
  }
  changed_.notify_all();
  scheduleServe();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return pending.done; });
  if (pending.error) std::rethrow_exception(pending.error);
}

int HandoverGuiThread::serveHandovers() {
  int served = 0;
  for (;;) {
    Pending* pending = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return served;
      pending = queue_.front();
      queue_.pop_front();
    }
    std::exception_ptr error;
    try {
      (*pending->call)();
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      pending->error = error;
      pending->done = true;
    }
    changed_.notify_all();
    ++served;
  }
}

void HandoverGuiThread::waitServing(const std::function<bool()>& done) {
  for (;;) {
    std::uint64_t seen;
    {
      std::lock_guard lock(mutex_);
      seen = wakeCount_;
    }
    serveHandovers();
    if (done()) return;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !queue_.empty() || wakeCount_ != seen; });
  }
}

void HandoverGuiThread::wake() {
  {
    std::lock_guard lock(mutex_);
    ++wakeCount_;
  }
  changed_.notify_all();
}

bool HandoverGuiThread::hasPendingHandovers() {
  std::lock_guard lock(mutex_);
  return !queue_.empty();
}

}  // namespace vestrix::hid
