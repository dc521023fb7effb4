#pragma once

#include "hid/gui_thread.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vestrix::hid {

class HidDevice;

// Reads input reports of one device and hands them over to the GUI thread,
// where each reaches the report handler in its own call, in the order read.
// Reports that are already waiting when one arrives are read at once and
// handed over together, so a device that sends fast does not wake the GUI
// thread for every report. At most one hand-over is in flight: the reader
// reads nothing more until it has returned, so a handler that runs a nested
// event loop never sees the same device's next report inside its own call.
class HidDeviceReadThread {
 public:
  static constexpr std::size_t kMaxBatch = 64;

  HidDeviceReadThread(HidDevice& device, std::size_t bufferLength, GuiThread& gui);
  ~HidDeviceReadThread();  // stops the thread if it still runs

  void start();
  // Any thread: ask the reader to stop; a wait in progress ends at once.
  void requestStop();
  // GUI thread: wait for the end, serving hand-overs meanwhile. Not while
  // one of this reader's hand-overs runs (see inHandover and retire).
  void waitForEnd();
  bool ended() const { return ended_; }

  // GUI thread: whether one of this reader's hand-overs is running on the
  // GUI thread right now (the caller is somewhere inside it).
  bool inHandover() const { return running_ != nullptr; }
  // GUI thread, inside one of its hand-overs: stop the reader without
  // waiting. From now on the reader never touches its device; it is ended
  // and destroyed once the running hand-over has returned.
  static void retire(std::unique_ptr<HidDeviceReadThread> reader);
  // Readers whose thread has not ended yet, in the whole process (tests).
  static int running();

 private:
  // Marks the hand-over running for the duration of a GUI-thread call.
  class Running;

  void run();
  void readTurn();
  void handOver(Handover& handover);
  void deliver();                // GUI thread
  void reportError();            // GUI thread
  void pause(int milliseconds);  // ends early on a stop

  HidDevice& device_;
  GuiThread& gui_;
  const std::size_t reportLength_;
  std::vector<std::uint8_t> buffer_;  // kMaxBatch slots of reportLength_ bytes
  std::vector<std::uint32_t> sizes_;  // bytes read into each slot
  Handover reports_;
  Handover error_;
  std::uint32_t lastError_ = 0;
  Handover* running_ = nullptr;  // GUI thread
  bool retired_ = false;         // GUI thread: the device may be gone
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::mutex pauseMutex_;
  std::condition_variable pauseWake_;
  std::thread thread_;
};

}  // namespace vestrix::hid
