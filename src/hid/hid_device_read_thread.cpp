#include "hid/hid_device_read_thread.h"

#include "hid/hid_device.h"

#include <algorithm>
#include <chrono>

namespace vestrix::hid {

HidDeviceReadThread::HidDeviceReadThread(HidDevice& device, std::size_t bufferLength, GuiThread& gui)
    : device_(device), gui_(gui), buffer_(bufferLength) {}

HidDeviceReadThread::~HidDeviceReadThread() {
  if (thread_.joinable()) {
    requestStop();
    waitForEnd();
  }
}

void HidDeviceReadThread::start() { thread_ = std::thread([this] { run(); }); }

void HidDeviceReadThread::requestStop() {
  {
    std::lock_guard lock(pauseMutex_);
    stop_ = true;
  }
  pauseWake_.notify_all();
}

void HidDeviceReadThread::waitForEnd() {
  if (!thread_.joinable()) return;
  gui_.waitServing([this] { return ended_.load(); });
  thread_.join();
}

void HidDeviceReadThread::run() {
  try {
    while (!stop_) readTurn();
  } catch (...) {
    // An error of a handler ends the reader; it stays recorded on its
    // device so none is started again until the handler is cleared.
  }
  ended_ = true;
  gui_.wake();
}

void HidDeviceReadThread::readTurn() {
  std::fill(buffer_.begin(), buffer_.end(), 0);
  int error = 0;
  std::shared_ptr<ReadChannel> channel = device_.acquireReadChannel(&error);
  if (!channel) {
    lastError_ = static_cast<std::uint32_t>(error);
    gui_.invokeBlocking([this] {
      if (const ReadErrorHandler& handler = device_.readErrorHandler()) handler(device_, lastError_);
    });
    // Wait a slice before the next try: a device that stays unavailable
    // (unplugged but not yet released) must not keep a core busy.
    pause(device_.ReaderSleepTime());
    return;
  }
  if (stop_) return;  // a stop that came while the channel was being opened
  ReadResult result;
  do {
    result = channel->read(buffer_.data(), buffer_.size(), device_.ReaderSleepTime());
  } while (result.kind == ReadResult::TimedOut && !stop_);
  if (stop_) return;
  switch (result.kind) {
    case ReadResult::Data:
      bytesRead_ = static_cast<std::uint32_t>(std::min(result.bytes, buffer_.size()));
      if (bytesRead_ == 0) return;
      gui_.invokeBlocking([this] {
        if (const ReportHandler& handler = device_.reportHandler()) {
          handler(device_, buffer_[0], buffer_.data() + 1, static_cast<std::uint16_t>(bytesRead_ - 1));
        }
      });
      return;
    case ReadResult::Failed:
      // Nothing is handed over; a handle that fails at once (a device that
      // vanished a moment ago) is not hammered.
      pause(device_.ReaderSleepTime());
      return;
    case ReadResult::Cancelled:
    case ReadResult::TimedOut:
      return;
  }
}

void HidDeviceReadThread::pause(int milliseconds) {
  std::unique_lock lock(pauseMutex_);
  pauseWake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stop_.load(); });
}

}  // namespace vestrix::hid
