#include "hid/hid_device_read_thread.h"

#include "hid/hid_device.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace vestrix::hid {

namespace {
std::atomic<int> runningThreads{0};
}  // namespace

int HidDeviceReadThread::running() { return runningThreads.load(); }

class HidDeviceReadThread::Running {
 public:
  Running(HidDeviceReadThread& reader, Handover& handover) : reader_(reader) { reader_.running_ = &handover; }
  ~Running() { reader_.running_ = nullptr; }  // a retired reader lives until its hand-over has returned

 private:
  HidDeviceReadThread& reader_;
};

HidDeviceReadThread::HidDeviceReadThread(HidDevice& device, std::size_t bufferLength, GuiThread& gui)
    : device_(device), gui_(gui), reportLength_(bufferLength) {
  buffer_.resize(reportLength_ * kMaxBatch);
  sizes_.reserve(kMaxBatch);
  reports_.call = [this] { deliver(); };
  error_.call = [this] { reportError(); };
}

HidDeviceReadThread::~HidDeviceReadThread() {
  if (thread_.joinable()) {
    requestStop();
    waitForEnd();
  }
}

void HidDeviceReadThread::start() {
  ++runningThreads;
  thread_ = std::thread([this] {
    run();
    --runningThreads;
  });
}

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

void HidDeviceReadThread::retire(std::unique_ptr<HidDeviceReadThread> reader) {
  Handover* running = reader->running_;
  reader->retired_ = true;
  reader->requestStop();
  // The reader waits for this very hand-over; once it has returned the
  // reader sees the stop and ends without touching its device again.
  std::shared_ptr<HidDeviceReadThread> owner(std::move(reader));
  running->afterReturn.push_back([owner] { owner->waitForEnd(); });
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

// Submits a hand-over and waits for it; an error of the handler is raised
// here and ends the reader. After it returns the device may be gone: the
// caller touches nothing of it before it has checked the stop flag.
void HidDeviceReadThread::handOver(Handover& handover) {
  gui_.submit(handover);
  gui_.await(handover);
}

void HidDeviceReadThread::readTurn() {
  const int sleepTime = device_.ReaderSleepTime();
  int error = 0;
  std::shared_ptr<ReadChannel> channel = device_.acquireReadChannel(&error);
  if (!channel) {
    lastError_ = static_cast<std::uint32_t>(error);
    handOver(error_);
    // Wait a slice before the next try: a device that stays unavailable
    // (unplugged but not yet released) must not keep a core busy.
    pause(sleepTime);
    return;
  }
  if (stop_) return;  // a stop that came while the channel was being opened

  std::uint8_t* first = buffer_.data();
  std::fill_n(first, reportLength_, 0);
  ReadResult result;
  do {
    result = channel->read(first, reportLength_, sleepTime);
  } while (result.kind == ReadResult::TimedOut && !stop_);
  if (stop_) return;
  if (result.kind == ReadResult::Failed) {
    // Nothing is handed over; a handle that fails at once (a device that
    // vanished a moment ago) is not hammered.
    pause(sleepTime);
    return;
  }
  if (result.kind != ReadResult::Data) return;

  sizes_.clear();
  sizes_.push_back(static_cast<std::uint32_t>(std::min(result.bytes, reportLength_)));
  // Whatever else is waiting already, without waiting for more.
  while (sizes_.size() < kMaxBatch && !stop_) {
    std::uint8_t* slot = first + sizes_.size() * reportLength_;
    std::fill_n(slot, reportLength_, 0);
    const ReadResult more = channel->read(slot, reportLength_, 0);
    if (more.kind != ReadResult::Data) break;
    sizes_.push_back(static_cast<std::uint32_t>(std::min(more.bytes, reportLength_)));
  }
  handOver(reports_);
}

void HidDeviceReadThread::deliver() {
  Running running(*this, reports_);
  for (std::size_t i = 0; i < sizes_.size(); ++i) {
    if (retired_) return;          // a handler released the device: the rest reach nobody
    if (sizes_[i] == 0) continue;  // a read of 0 bytes reaches nobody
    // A copy: the handler may replace or clear itself while it runs.
    const ReportHandler handler = device_.reportHandler();
    if (!handler) continue;
    const std::uint8_t* report = buffer_.data() + i * reportLength_;
    handler(device_, report[0], report + 1, static_cast<std::uint16_t>(sizes_[i] - 1));
  }
}

void HidDeviceReadThread::reportError() {
  Running running(*this, error_);
  const ReadErrorHandler handler = device_.readErrorHandler();
  if (handler) handler(device_, lastError_);
}

void HidDeviceReadThread::pause(int milliseconds) {
  std::unique_lock lock(pauseMutex_);
  pauseWake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stop_.load(); });
}

}  // namespace vestrix::hid
