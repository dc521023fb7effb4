#include "loop/wake_channel.h"

#include <QWinEventNotifier>

#include <windows.h>

namespace vestrix::loop {

namespace {

// An auto-reset event that the Qt event loop waits on with the rest of its
// handles: a wake is one SetEvent, and nothing of Qt's is touched off the
// GUI thread.
class EventWakeChannel : public WakeChannel {
 public:
  explicit EventWakeChannel(std::function<void()> onWake)
      : event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)), onWake_(std::move(onWake)) {
    notifier_ = std::make_unique<QWinEventNotifier>(event_);
    QObject::connect(notifier_.get(), &QWinEventNotifier::activated, notifier_.get(), [this] { onWake_(); });
  }

  ~EventWakeChannel() override {
    notifier_.reset();
    ::CloseHandle(event_);
  }

  void wake() override { ::SetEvent(event_); }

 private:
  HANDLE event_;
  std::function<void()> onWake_;
  std::unique_ptr<QWinEventNotifier> notifier_;
};

}  // namespace

std::unique_ptr<WakeChannel> CreateWakeChannel(std::function<void()> onWake) {
  return std::make_unique<EventWakeChannel>(std::move(onWake));
}

}  // namespace vestrix::loop
