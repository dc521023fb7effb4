#pragma once

#include <functional>
#include <memory>

namespace vestrix::loop {

// Wakes the GUI thread's event loop (a windowless program's main loop) from
// any thread; how is the operating
// system's affair, so each system brings its own.
class WakeChannel {
 public:
  virtual ~WakeChannel() = default;
  // Any thread. Several wakes before the loop answers may come as one.
  virtual void wake() = 0;
};

// The channel of this system. Create it on the GUI thread, after the
// application object; onWake runs there, in the event loop, after wake().
std::unique_ptr<WakeChannel> CreateWakeChannel(std::function<void()> onWake);

}  // namespace vestrix::loop
