#include "hid/windows/device_hold.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <functional>

#include <windows.h>

namespace vestrix::hid::windows_hid {

namespace {

constexpr DWORD kHolderBytes = 256;

// Names of kernel objects take no backslashes: the path's hash names them,
// the same for every spelling of the path.
std::wstring ObjectName(const std::wstring& devicePath, const wchar_t* kind) {
  std::wstring lower = devicePath;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return L"Local\\VestrixPc-" + std::to_wstring(std::hash<std::wstring>{}(lower)) + kind;
}

class WindowsDeviceHold : public DeviceHold {
 public:
  WindowsDeviceHold(HANDLE semaphore, HANDLE holderMemory) : semaphore_(semaphore), holderMemory_(holderMemory) {}
  ~WindowsDeviceHold() override {
    if (holderMemory_ != nullptr) {
      if (auto* text = static_cast<char*>(::MapViewOfFile(holderMemory_, FILE_MAP_WRITE, 0, 0, kHolderBytes))) {
        text[0] = '\0';
        ::UnmapViewOfFile(text);
      }
      ::CloseHandle(holderMemory_);
    }
    ::ReleaseSemaphore(semaphore_, 1, nullptr);
    ::CloseHandle(semaphore_);
  }

 private:
  HANDLE semaphore_;
  HANDLE holderMemory_;
};

class NoHold : public DeviceHold {};

}  // namespace

std::string ThisProgram() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  const std::size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  std::string narrow;
  for (wchar_t c : name) narrow.push_back(c < 128 ? static_cast<char>(c) : '?');
  return narrow + " (pid " + std::to_string(::GetCurrentProcessId()) + ")";
}

HoldResult HoldInterface(const std::wstring& devicePath, const std::string& holder) {
  // A semaphore of one, not a mutex: a mutex is its thread's and taken
  // again by it, and a hold may end on another thread than it began. A
  // holder that crashed closes its handle with its end, and the object goes.
  const HANDLE semaphore = ::CreateSemaphoreW(nullptr, 1, 1, ObjectName(devicePath, L"-hold").c_str());
  // Without named objects the interface is used as before: the hold keeps
  // programs of this kind apart, it is not what grants access.
  if (semaphore == nullptr) return {std::make_unique<NoHold>(), false, {}};
  const HANDLE memory = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHolderBytes,
                                             ObjectName(devicePath, L"-holder").c_str());
  const DWORD taken = ::WaitForSingleObject(semaphore, 0);
  if (taken != WAIT_OBJECT_0) {
    std::string name;
    if (memory != nullptr) {
      if (const auto* text = static_cast<const char*>(::MapViewOfFile(memory, FILE_MAP_READ, 0, 0, kHolderBytes))) {
        name.assign(text, strnlen(text, kHolderBytes - 1));
        ::UnmapViewOfFile(text);
      }
      ::CloseHandle(memory);
    }
    ::CloseHandle(semaphore);
    return {nullptr, true, name};
  }
  if (memory != nullptr) {
    if (auto* text = static_cast<char*>(::MapViewOfFile(memory, FILE_MAP_WRITE, 0, 0, kHolderBytes))) {
      const std::size_t n = std::min<std::size_t>(holder.size(), kHolderBytes - 1);
      std::memcpy(text, holder.data(), n);
      text[n] = '\0';
      ::UnmapViewOfFile(text);
    }
  }
  return {std::make_unique<WindowsDeviceHold>(semaphore, memory), false, {}};
}

}  // namespace vestrix::hid::windows_hid
