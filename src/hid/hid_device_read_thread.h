#pragma once

#include "hid/gui_thread.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vestrix::hid {

class HidDevice;

// Reads input reports of one device and hands each over to the GUI thread,
// waiting until its handler has returned.
class HidDeviceReadThread {
 public:
  HidDeviceReadThread(HidDevice& device, std::size_t bufferLength, GuiThread& gui);
  ~HidDeviceReadThread();  // stops the thread if it still runs

  void start();
  // Any thread: ask the reader to stop; a wait in progress ends at once.
  void requestStop();
  // GUI thread: wait for the end, serving hand-overs meanwhile.
  void waitForEnd();
  bool ended() const { return ended_; }

 private:
  void run();
  void readTurn();
  void pause(int milliseconds);  // ends early on a stop

  HidDevice& device_;
  GuiThread& gui_;
  std::vector<std::uint8_t> buffer_;
  std::uint32_t lastError_ = 0;
  std::uint32_t bytesRead_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::mutex pauseMutex_;
  std::condition_variable pauseWake_;
  std::thread thread_;
};

}  // namespace vestrix::hid
