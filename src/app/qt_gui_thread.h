#pragma once

#include "hid/handover_gui_thread.h"

#include <QObject>

#include <atomic>

namespace vestrix::app {

// The GUI thread of the Qt event loop: posted calls and hand-overs run as
// queued events; an error escaping a posted call goes to the error box.
class QtGuiThread : public hid::HandoverGuiThread {
 public:
  QtGuiThread();

  void post(std::function<void()> call) override;

 protected:
  void scheduleServe() override;

 private:
  QObject context_;  // lives on the GUI thread; queued calls die with it
  std::atomic<bool> serveQueued_{false};  // one queued serve at a time is enough
};

}  // namespace vestrix::app
