#pragma once

#include "hid/handover_gui_thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace vestrix::hid {

// A GUI thread without a GUI: the thread that constructs it runs the queued
// calls and hand-overs when it calls processEvents() or runUntil(). Serves
// benchmarks and tests of the device link.
class ManualGuiThread : public HandoverGuiThread {
 public:
  void post(std::function<void()> call) override;

  // Runs the queued calls and hand-overs that are waiting; returns how many.
  int processEvents();

  // Processes events until done() holds or the timeout passes; returns done().
  bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

 protected:
  void scheduleServe() override;

 private:
  std::mutex mutex_;
  std::condition_variable work_;
  std::deque<std::function<void()>> posted_;
  bool serveRequested_ = false;
};

}  // namespace vestrix::hid
