#pragma once

#include "app/wake_channel.h"
#include "hid/handover_gui_thread.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace vestrix::app {

// The GUI thread of the Qt event loop. Workers wake it through the system's
// wake channel; queued calls and hand-overs stay in our own queues, so
// nothing of Qt's is shared between threads. An error escaping a posted
// call goes to the error box. Create it on the GUI thread, after the
// application object.
class QtGuiThread : public hid::HandoverGuiThread {
 public:
  QtGuiThread();
  ~QtGuiThread() override;

  void post(std::function<void()> call) override;

 protected:
  void scheduleServe() override;

 private:
  void onWake();

  std::unique_ptr<WakeChannel> wake_;
  std::atomic<bool> wakePending_{false};  // one wake-up at a time is enough
  std::mutex postedMutex_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace vestrix::app
