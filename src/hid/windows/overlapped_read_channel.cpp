#include "hid/windows/overlapped_read_channel.h"

#include <algorithm>
#include <cstring>

namespace vestrix::hid::windows_hid {

OverlappedReadChannel::OverlappedReadChannel(HANDLE handle, std::size_t reportLength)
    : handle_(handle),
      cancelEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      report_(std::max<std::size_t>(reportLength, 1)) {
  overlapped_.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

OverlappedReadChannel::~OverlappedReadChannel() {
  if (pending_) {
    // The system writes into report_ until the read is done: it is ended
    // and waited for before the buffer goes.
    ::CancelIoEx(handle_, &overlapped_);
    DWORD bytes = 0;
    ::GetOverlappedResult(handle_, &overlapped_, &bytes, TRUE);
  }
  ::CloseHandle(handle_);
  ::CloseHandle(overlapped_.hEvent);
  ::CloseHandle(cancelEvent_);
}

ReadResult OverlappedReadChannel::finish(std::uint8_t* buffer, std::size_t length, bool wait) {
  DWORD bytes = 0;
  if (!::GetOverlappedResult(handle_, &overlapped_, &bytes, wait ? TRUE : FALSE)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_IO_INCOMPLETE) return {ReadResult::TimedOut};
    pending_ = false;
    if (error == ERROR_OPERATION_ABORTED && cancelled_) return {ReadResult::Cancelled};
    return {ReadResult::Failed, 0, static_cast<int>(error)};
  }
  pending_ = false;
  const std::size_t n = std::min<std::size_t>(bytes, length);
  if (n > 0) std::memcpy(buffer, report_.data(), n);
  return {ReadResult::Data, n};
}

ReadResult OverlappedReadChannel::read(std::uint8_t* buffer, std::size_t length, int timeoutMs) {
  if (cancelled_) return {ReadResult::Cancelled};
  if (!pending_) {
    ::ResetEvent(overlapped_.hEvent);
    if (::ReadFile(handle_, report_.data(), static_cast<DWORD>(report_.size()), nullptr, &overlapped_)) {
      pending_ = true;  // done at once: taken below
    } else {
      const DWORD error = ::GetLastError();
      if (error != ERROR_IO_PENDING) return {ReadResult::Failed, 0, static_cast<int>(error)};
      pending_ = true;
    }
  }
  const HANDLE waits[2] = {cancelEvent_, overlapped_.hEvent};
  const DWORD woken =
      ::WaitForMultipleObjects(2, waits, FALSE, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
  if (woken == WAIT_OBJECT_0 || cancelled_) return {ReadResult::Cancelled};
  if (woken == WAIT_TIMEOUT) return {ReadResult::TimedOut};
  if (woken != WAIT_OBJECT_0 + 1) return {ReadResult::Failed, 0, static_cast<int>(::GetLastError())};
  return finish(buffer, length, false);
}

void OverlappedReadChannel::cancel() {
  cancelled_ = true;
  ::SetEvent(cancelEvent_);
}

}  // namespace vestrix::hid::windows_hid
