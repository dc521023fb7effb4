#pragma once

#include "hid/gui_thread.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vestrix::hid {

class HidDevice;

// Reads input reports of one device and hands them over to the GUI thread,
// where each reaches the report handler in its own call, in the order read.
// Reports that are already waiting when one arrives are read at once and
// handed over together; while the GUI thread handles a batch the reader
// reads the next into another buffer, so a device that sends fast keeps
// both threads busy instead of waking one for every report. A batch's
// buffer is reused only after its hand-over has returned.
class HidDeviceReadThread {
 public:
  static constexpr std::size_t kMaxBatch = 64;
  static constexpr std::size_t kBatchesInFlight = 3;

  HidDeviceReadThread(HidDevice& device, std::size_t bufferLength, GuiThread& gui);
  ~HidDeviceReadThread();  // stops the thread if it still runs

  void start();
  // Any thread: ask the reader to stop; a wait in progress ends at once.
  void requestStop();
  // GUI thread: wait for the end, serving hand-overs meanwhile.
  void waitForEnd();
  bool ended() const { return ended_; }

 private:
  struct Batch {
    std::vector<std::uint8_t> buffer;   // kMaxBatch slots of reportLength_ bytes
    std::vector<std::uint32_t> sizes;   // bytes read into each slot
    Handover handover;
    bool pending = false;               // handed over, not yet awaited
  };

  void run();
  void readTurn();
  void deliver(Batch& batch);  // GUI thread
  void pause(int milliseconds);  // ends early on a stop

  HidDevice& device_;
  GuiThread& gui_;
  const std::size_t reportLength_;
  std::array<Batch, kBatchesInFlight> batches_;
  std::size_t nextBatch_ = 0;
  bool handlerFailed_ = false;  // GUI thread: later batches are dropped
  std::uint32_t lastError_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::mutex pauseMutex_;
  std::condition_variable pauseWake_;
  std::thread thread_;
};

}  // namespace vestrix::hid
