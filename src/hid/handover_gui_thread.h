#pragma once

#include "hid/gui_thread.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace vestrix::hid {

// The blocking hand-over shared by every GUI-thread implementation; a
// subclass only says how its event loop is asked to serve hand-overs.
class HandoverGuiThread : public GuiThread {
 public:
  HandoverGuiThread();  // the constructing thread is the GUI thread

  void invokeBlocking(const std::function<void()>& call) override;
  void submit(Handover& handover) override;
  void await(Handover& handover) override;
  void waitServing(const std::function<bool()>& done) override;
  void wake() override;

  // GUI thread: run the hand-overs that were waiting on entry; returns how
  // many. Those queued meanwhile wait for the next call, so workers that
  // keep submitting cannot hold the event loop.
  int serveHandovers();

  // Any thread: whether hand-overs wait to be served.
  bool hasPendingHandovers();

  bool onGuiThread() const { return std::this_thread::get_id() == guiThread_; }

 protected:
  // Ask the event loop to call serveHandovers() soon. Any thread.
  virtual void scheduleServe() = 0;

 private:
  const std::thread::id guiThread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  struct Queued {
    std::uint64_t number;  // in submission order
    Handover* handover;
  };
  std::deque<Queued> queue_;
  std::uint64_t submitted_ = 0;
  std::uint64_t wakeCount_ = 0;
};

}  // namespace vestrix::hid
