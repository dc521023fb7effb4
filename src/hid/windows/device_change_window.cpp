#include "hid/windows/device_change_window.h"

#include <dbt.h>

namespace vestrix::hid::windows_hid {

namespace {

const wchar_t kClassName[] = L"VestrixPcDeviceChange";

}  // namespace

DeviceChangeWindow::DeviceChangeWindow(GUID interfaceClass, std::function<void()> onChange,
                                       std::function<void(const std::wstring&)> onArrival)
    : interfaceClass_(interfaceClass), onChange_(std::move(onChange)), onArrival_(std::move(onArrival)) {
  const HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, ready] { run(ready); });
  ::WaitForSingleObject(ready, INFINITE);
  ::CloseHandle(ready);
}

DeviceChangeWindow::~DeviceChangeWindow() {
  if (window_ != nullptr)
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
  else if (threadId_ != 0)
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  if (thread_.joinable()) thread_.join();
}

void DeviceChangeWindow::run(HANDLE ready) {
  threadId_ = ::GetCurrentThreadId();
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = Procedure;
  type.hInstance = ::GetModuleHandleW(nullptr);
  type.lpszClassName = kClassName;
  ::RegisterClassExW(&type);  // fails harmlessly when a second instance registered it already
  window_ = ::CreateWindowExW(0, kClassName, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, type.hInstance, this);
  HDEVNOTIFY registration = nullptr;
  if (window_ != nullptr) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = interfaceClass_;
    registration = ::RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  }
  ::SetEvent(ready);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (registration != nullptr) ::UnregisterDeviceNotification(registration);
}

LRESULT CALLBACK DeviceChangeWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<DeviceChangeWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_DEVICECHANGE:
      if (self != nullptr &&
          (wParam == DBT_DEVNODES_CHANGED || wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
        const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
        if (wParam == DBT_DEVICEARRIVAL && header != nullptr && self->onArrival_ &&
            header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
          self->onArrival_(reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam)->dbcc_name);
        }
        self->onChange_();
      }
      return TRUE;
    case WM_CLOSE: ::DestroyWindow(window); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace vestrix::hid::windows_hid
