#include "loop/wake_channel.h"

#include <QSocketNotifier>

#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace vestrix::loop {

namespace {

// An eventfd that the Qt event loop watches: a wake is one write, and
// nothing of Qt's is touched off the GUI thread.
class EventFdWakeChannel : public WakeChannel {
 public:
  explicit EventFdWakeChannel(std::function<void()> onWake)
      : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), onWake_(std::move(onWake)) {
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
      std::uint64_t count;
      [[maybe_unused]] ssize_t n = ::read(fd_, &count, sizeof count);
      onWake_();
    });
  }

  ~EventFdWakeChannel() override {
    notifier_.reset();
    ::close(fd_);
  }

  void wake() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
  }

 private:
  int fd_;
  std::function<void()> onWake_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

std::unique_ptr<WakeChannel> CreateWakeChannel(std::function<void()> onWake) {
  return std::make_unique<EventFdWakeChannel>(std::move(onWake));
}

}  // namespace vestrix::loop
