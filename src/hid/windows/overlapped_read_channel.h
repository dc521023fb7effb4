#pragma once

#include "hid/platform.h"

#include <atomic>
#include <cstdint>
#include <vector>

#include <windows.h>

namespace vestrix::hid::windows_hid {

// Reads reports from a handle opened for overlapped reads (a HID interface;
// tests use a pipe) as the reader thread wants them: one read outstanding
// at a time, into a buffer of its own, waited for together with a cancel
// event. A read that times out stays outstanding and is taken by the next
// call; cancel() ends the wait in progress and every later one. The handle
// is the channel's: closed when it goes, after the outstanding read is
// cancelled and finished.
class OverlappedReadChannel : public ReadChannel {
 public:
  // reportLength: the longest input report, report id byte included.
  OverlappedReadChannel(HANDLE handle, std::size_t reportLength);
  ~OverlappedReadChannel() override;

  ReadResult read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
  void cancel() override;

 private:
  // Data, or Failed; TimedOut while the read is still outstanding.
  ReadResult finish(std::uint8_t* buffer, std::size_t length, bool wait);

  HANDLE handle_;
  HANDLE cancelEvent_;
  OVERLAPPED overlapped_{};
  std::vector<std::uint8_t> report_;
  bool pending_ = false;
  std::atomic<bool> cancelled_{false};
};

}  // namespace vestrix::hid::windows_hid
