#pragma once

#include <string>

#include <windows.h>
// Debian's mingw-w64 declares these without C linkage; hidsdi.h brings
// hidusage.h and hidpi.h in the order they need.
// clang-format off
extern "C" {
#include <hidsdi.h>
}
// clang-format on
#include <setupapi.h>

namespace vestrix::hid::windows_hid {

// The entry points of hid.dll and SetupApi.dll, bound at run time: a
// system (or wine) without one of them has no HID services, and says which
// is missing, rather than failing to start.
class HidApi {
 public:
  // The libraries by name (tests give names that do not exist).
  explicit HidApi(const wchar_t* hidLibrary = L"hid.dll", const wchar_t* setupLibrary = L"setupapi.dll");
  ~HidApi();

  HidApi(const HidApi&) = delete;
  HidApi& operator=(const HidApi&) = delete;

  bool available() const { return missing_.empty(); }
  // The library or entry point that could not be bound; empty when all were.
  const std::string& missing() const { return missing_; }

  void(__stdcall* HidD_GetHidGuid)(LPGUID) = nullptr;
  BOOLEAN(__stdcall* HidD_GetAttributes)(HANDLE, PHIDD_ATTRIBUTES) = nullptr;
  BOOLEAN(__stdcall* HidD_GetProductString)(HANDLE, PVOID, ULONG) = nullptr;
  BOOLEAN(__stdcall* HidD_GetSerialNumberString)(HANDLE, PVOID, ULONG) = nullptr;
  BOOLEAN(__stdcall* HidD_GetPreparsedData)(HANDLE, PHIDP_PREPARSED_DATA*) = nullptr;
  BOOLEAN(__stdcall* HidD_FreePreparsedData)(PHIDP_PREPARSED_DATA) = nullptr;
  NTSTATUS(__stdcall* HidP_GetCaps)(PHIDP_PREPARSED_DATA, PHIDP_CAPS) = nullptr;

  HDEVINFO(WINAPI* SetupDiGetClassDevsW)(const GUID*, PCWSTR, HWND, DWORD) = nullptr;
  BOOL(WINAPI* SetupDiEnumDeviceInterfaces)
  (HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD, PSP_DEVICE_INTERFACE_DATA) = nullptr;
  BOOL(WINAPI* SetupDiGetDeviceInterfaceDetailW)
  (HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_W, DWORD, PDWORD, PSP_DEVINFO_DATA) = nullptr;
  BOOL(WINAPI* SetupDiDestroyDeviceInfoList)(HDEVINFO) = nullptr;

  // The HID interface class, or a null GUID without the services.
  GUID hidGuid() const;

 private:
  template <class F>
  void bind(HMODULE library, const char* libraryName, F& entry, const char* name);

  HMODULE hid_ = nullptr;
  HMODULE setup_ = nullptr;
  std::string missing_;
};

}  // namespace vestrix::hid::windows_hid
