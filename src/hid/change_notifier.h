#pragma once

#include <functional>
#include <mutex>

namespace vestrix::hid {

// What every platform does with the controller's change handler: kept
// under a lock, called from whichever thread learns of a change, cleared
// (with an empty handler) before the controller goes, never while a call is
// under way.
class ChangeNotifier {
 public:
  void set(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
  }

  void notify() {
    std::lock_guard lock(mutex_);
    if (handler_) handler_();
  }

 private:
  std::mutex mutex_;
  std::function<void()> handler_;
};

}  // namespace vestrix::hid
