#pragma once

#include <exception>
#include <functional>
#include <vector>

namespace vestrix::hid {

// One call handed over to the GUI thread. The worker owns it and must wait
// for it (await) before it goes away.
struct Handover {
  std::function<void()> call;
  std::exception_ptr error;  // what the call raised
  bool done = false;         // guarded by the GUI thread object
  // GUI thread only: run once the call has returned and the worker has been
  // released, after the GUI thread last touched this record. What the call
  // cannot do while its own worker waits for it (end that worker) goes here.
  std::vector<std::function<void()>> afterReturn;
};

// The GUI thread as the device link sees it: calls queued to it, and the
// blocking hand-over by which reader threads run their handlers on it.
class GuiThread {
 public:
  virtual ~GuiThread() = default;

  // Any thread: run the call later on the GUI thread.
  virtual void post(std::function<void()> call) = 0;

  // Worker thread: run the call on the GUI thread and return when it has
  // returned; an exception it raises is raised again here. Called on the
  // GUI thread itself, it runs the call directly.
  virtual void invokeBlocking(const std::function<void()>& call) = 0;

  // Worker thread: queue a hand-over without waiting for it; hand-overs run
  // in the order they were queued. On the GUI thread itself it runs at once.
  virtual void submit(Handover& handover) = 0;
  // Worker thread: wait until the hand-over has run; its error is raised here.
  virtual void await(Handover& handover) = 0;

  // GUI thread: return once done() holds, running the hand-overs of all
  // workers meanwhile so that a worker blocked in one can finish. done() is
  // checked again after each hand-over and after each wake(). Never call it
  // for a worker whose hand-over is running on this thread: that worker
  // cannot end before the hand-over returns (use Handover::afterReturn).
  virtual void waitServing(const std::function<bool()>& done) = 0;

  // Any thread: what a waitServing waits for may have changed.
  virtual void wake() = 0;
};

}  // namespace vestrix::hid
