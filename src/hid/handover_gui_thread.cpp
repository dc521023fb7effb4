#include "hid/handover_gui_thread.h"

#include <utility>

namespace vestrix::hid {

HandoverGuiThread::HandoverGuiThread() : guiThread_(std::this_thread::get_id()) {}

void HandoverGuiThread::invokeBlocking(const std::function<void()>& call) {
  if (onGuiThread()) {
    call();
    return;
  }
  Handover handover;
  handover.call = call;
  submit(handover);
  await(handover);
}

namespace {

void RunAfterReturn(std::vector<std::function<void()>> calls) {
  for (std::function<void()>& call : calls) call();
}

}  // namespace

void HandoverGuiThread::submit(Handover& handover) {
  if (onGuiThread()) {
    try {
      handover.call();
    } catch (...) {
      handover.error = std::current_exception();
    }
    handover.done = true;
    RunAfterReturn(std::exchange(handover.afterReturn, {}));
    return;
  }
  {
    std::lock_guard lock(mutex_);
    handover.done = false;
    handover.error = nullptr;
    queue_.push_back({submitted_++, &handover});
  }
  changed_.notify_all();
  scheduleServe();
}

void HandoverGuiThread::await(Handover& handover) {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return handover.done; });
  }
  if (handover.error) std::rethrow_exception(handover.error);
}

int HandoverGuiThread::serveHandovers() {
  std::uint64_t end;
  {
    std::lock_guard lock(mutex_);
    end = submitted_;
  }
  int served = 0;
  for (;;) {
    Handover* pending = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty() || queue_.front().number >= end) return served;
      pending = queue_.front().handover;
      queue_.pop_front();
    }
    std::exception_ptr error;
    try {
      pending->call();
    } catch (...) {
      error = std::current_exception();
    }
    std::vector<std::function<void()>> after = std::exchange(pending->afterReturn, {});
    {
      std::lock_guard lock(mutex_);
      pending->error = std::move(error);  // the worker alone holds it from here on
      pending->done = true;
    }
    changed_.notify_all();
    ++served;
    RunAfterReturn(std::move(after));  // may free the record: it is not touched again
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
