#include "app/qt_gui_thread.h"

#include "app/error_box.h"

#include <QSocketNotifier>

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vestrix::app {

QtGuiThread::QtGuiThread() : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  notifier_ = std::make_unique<QSocketNotifier>(wakeFd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { onWake(); });
}

QtGuiThread::~QtGuiThread() {
  notifier_.reset();
  ::close(wakeFd_);
}

void QtGuiThread::post(std::function<void()> call) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(call));
  }
  scheduleServe();
}

void QtGuiThread::scheduleServe() {
  if (wakePending_.exchange(true)) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void QtGuiThread::onWake() {
  std::uint64_t count;
  [[maybe_unused]] ssize_t n = ::read(wakeFd_, &count, sizeof count);
  wakePending_ = false;  // before serving: whatever is queued from now on wakes us again
  serveHandovers();
  std::deque<std::function<void()>> calls;
  {
    std::lock_guard lock(postedMutex_);
    calls.swap(posted_);
  }
  for (std::function<void()>& call : calls) RunGuarded(call);
}

}  // namespace vestrix::app
