#pragma once

#include "hid/handover_gui_thread.h"
#include "loop/wake_channel.h"

#include <atomic>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace vestrix::loop {

// The GUI thread of the Qt event loop (the main thread of a program
// without a window). Workers wake it through the system's wake channel;
// queued calls and hand-overs stay in our own queues, so nothing of Qt's is
// shared between threads. An error escaping a posted call goes to
// onError. Create it on that thread, after the application object.
class QtGuiThread : public hid::HandoverGuiThread {
 public:
  explicit QtGuiThread(std::function<void(std::exception_ptr)> onError = {});
  ~QtGuiThread() override;

  void post(std::function<void()> call) override;

 protected:
  void scheduleServe() override;

 private:
  void onWake();

  std::function<void(std::exception_ptr)> onError_;
  std::unique_ptr<WakeChannel> wake_;
  std::atomic<bool> wakePending_{false};  // one wake-up at a time is enough
  std::mutex postedMutex_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace vestrix::loop
