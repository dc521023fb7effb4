#include "hid/hid_device_read_thread.h"

#include "hid/hid_device.h"

#include <algorithm>
#include <chrono>

namespace vestrix::hid {

HidDeviceReadThread::HidDeviceReadThread(HidDevice& device, std::size_t bufferLength, GuiThread& gui)
    : device_(device), gui_(gui), reportLength_(bufferLength) {
  for (Batch& batch : batches_) {
    batch.buffer.resize(reportLength_ * kMaxBatch);
    batch.sizes.reserve(kMaxBatch);
    batch.handover.call = [this, &batch] { deliver(batch); };
  }
}

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
  // Batches still handed over use their buffers until they have run.
  for (Batch& batch : batches_) {
    if (!batch.pending) continue;
    batch.pending = false;
    try {
      gui_.await(batch.handover);
    } catch (...) {
    }
  }
  ended_ = true;
  gui_.wake();
}

void HidDeviceReadThread::readTurn() {
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

  Batch& batch = batches_[nextBatch_];
  if (batch.pending) {
    batch.pending = false;
    gui_.await(batch.handover);  // an error of the handler ends the reader here
  }
  std::uint8_t* first = batch.buffer.data();
  std::fill_n(first, reportLength_, 0);
  ReadResult result;
  do {
    result = channel->read(first, reportLength_, device_.ReaderSleepTime());
  } while (result.kind == ReadResult::TimedOut && !stop_);
  if (stop_) return;
  if (result.kind == ReadResult::Failed) {
    // Nothing is handed over; a handle that fails at once (a device that
    // vanished a moment ago) is not hammered.
    pause(device_.ReaderSleepTime());
    return;
  }
  if (result.kind != ReadResult::Data) return;

  batch.sizes.clear();
  batch.sizes.push_back(static_cast<std::uint32_t>(std::min(result.bytes, reportLength_)));
  // Whatever else is waiting already, without waiting for more.
  while (batch.sizes.size() < kMaxBatch && !stop_) {
    std::uint8_t* slot = first + batch.sizes.size() * reportLength_;
    std::fill_n(slot, reportLength_, 0);
    const ReadResult more = channel->read(slot, reportLength_, 0);
    if (more.kind != ReadResult::Data) break;
    batch.sizes.push_back(static_cast<std::uint32_t>(std::min(more.bytes, reportLength_)));
  }
  batch.pending = true;
  gui_.submit(batch.handover);
  nextBatch_ = (nextBatch_ + 1) % kBatchesInFlight;
}

void HidDeviceReadThread::deliver(Batch& batch) {
  if (handlerFailed_) return;  // the reader is ending: no further reports
  for (std::size_t i = 0; i < batch.sizes.size(); ++i) {
    if (batch.sizes[i] == 0) continue;  // a read of 0 bytes reaches nobody
    const ReportHandler& handler = device_.reportHandler();
    if (!handler) continue;
    const std::uint8_t* report = batch.buffer.data() + i * reportLength_;
    try {
      handler(device_, report[0], report + 1, static_cast<std::uint16_t>(batch.sizes[i] - 1));
    } catch (...) {
      handlerFailed_ = true;
      throw;
    }
  }
}

void HidDeviceReadThread::pause(int milliseconds) {
  std::unique_lock lock(pauseMutex_);
  pauseWake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stop_.load(); });
}

}  // namespace vestrix::hid
