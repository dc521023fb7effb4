#pragma once

#include "hid/change_notifier.h"
#include "hid/platform.h"
#include "hid/windows/hid_api.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace vestrix::hid::windows_hid {

class DeviceChangeWindow;

// HID services of Windows: interfaces enumerated through SetupAPI, opened
// by their paths (read and write, else for identification only),
// identified through hid.dll (attributes, product string, capabilities
// from the preparsed data), read with overlapped reads, written with a
// time limit, changes heard by a hidden window on a thread of its own. The
// entry points are bound at run time.
class WindowsPlatform : public Platform {
 public:
  struct Options {
    bool watchChanges = true;  // the window that hears device changes
    const wchar_t* hidLibrary = L"hid.dll";
    const wchar_t* setupLibrary = L"setupapi.dll";
    std::string holderName;  // what others are told holds an interface; empty: this program
  };
  // A write that the device does not take within this time fails.
  static constexpr DWORD kWriteTimeoutMs = 1000;

  WindowsPlatform();
  explicit WindowsPlatform(Options options);
  ~WindowsPlatform() override;

  bool available() const override { return api_.available(); }
  // Why there are no HID services: the library or entry point missing.
  const std::string& unavailableReason() const { return api_.missing(); }

  std::vector<PnpInfo> scan() override;
  std::unique_ptr<DeviceHandle> open(const PnpInfo& device, OpenMode mode) override;
  std::unique_ptr<ReadChannel> openRead(const PnpInfo& device, int* error) override;
  HoldResult hold(const PnpInfo& device) override;
  int handleGoneError() const override { return ERROR_INVALID_HANDLE; }
  void setChangeHandler(std::function<void()> handler) override;

  // The window that hears changes, if it runs (tests send it messages).
  HWND changeWindow() const;

 private:
  // A path came (again): the next scan gives it a new identity.
  void arrived(const std::wstring& path);
  std::uint32_t identityOf(const std::wstring& path);

  Options options_;
  HidApi api_;
  ChangeNotifier changes_;
  std::mutex identitiesMutex_;
  std::map<std::wstring, std::uint32_t> identities_;  // by lower-case path, of the interfaces seen
  std::uint32_t nextIdentity_ = 1;
  std::unique_ptr<DeviceChangeWindow> window_;
};

// UTF-16 path of a device as the device link keeps it (UTF-8), and back.
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);

}  // namespace vestrix::hid::windows_hid
