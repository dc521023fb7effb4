#pragma once

#include <functional>
#include <string>
#include <thread>

#include <windows.h>

namespace vestrix::hid::windows_hid {

// A hidden top-level window on a thread of its own that hears the system's
// device-change messages: WM_DEVICECHANGE with DBT_DEVNODES_CHANGED, which
// Windows broadcasts to top-level windows only (a message-only window
// never gets it), and the arrivals and removals of HID interfaces it asks
// for. onChange runs on that thread for each; onArrival with the path of
// an interface that came (or came again).
class DeviceChangeWindow {
 public:
  DeviceChangeWindow(GUID interfaceClass, std::function<void()> onChange,
                     std::function<void(const std::wstring& path)> onArrival = {});
  ~DeviceChangeWindow();

  DeviceChangeWindow(const DeviceChangeWindow&) = delete;
  DeviceChangeWindow& operator=(const DeviceChangeWindow&) = delete;

  // The window, once it exists (tests send it messages); null if it could
  // not be made.
  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void run(HANDLE ready);

  GUID interfaceClass_;
  std::function<void()> onChange_;
  std::function<void(const std::wstring&)> onArrival_;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
  std::thread thread_;
};

}  // namespace vestrix::hid::windows_hid
