#include "hid/windows/hid_api.h"

namespace vestrix::hid::windows_hid {

template <class F>
void HidApi::bind(HMODULE library, const char* libraryName, F& entry, const char* name) {
  if (!missing_.empty()) return;
  if (library == nullptr) {
    missing_ = libraryName;
    return;
  }
  entry = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
  if (entry == nullptr) missing_ = std::string(libraryName) + "!" + name;
}

HidApi::HidApi(const wchar_t* hidLibrary, const wchar_t* setupLibrary)
    : hid_(::LoadLibraryW(hidLibrary)), setup_(::LoadLibraryW(setupLibrary)) {
  const std::string hidName(hidLibrary, hidLibrary + wcslen(hidLibrary));
  const std::string setupName(setupLibrary, setupLibrary + wcslen(setupLibrary));
  bind(hid_, hidName.c_str(), HidD_GetHidGuid, "HidD_GetHidGuid");
  bind(hid_, hidName.c_str(), HidD_GetAttributes, "HidD_GetAttributes");
  bind(hid_, hidName.c_str(), HidD_GetProductString, "HidD_GetProductString");
  bind(hid_, hidName.c_str(), HidD_GetSerialNumberString, "HidD_GetSerialNumberString");
  bind(hid_, hidName.c_str(), HidD_GetPreparsedData, "HidD_GetPreparsedData");
  bind(hid_, hidName.c_str(), HidD_FreePreparsedData, "HidD_FreePreparsedData");
  bind(hid_, hidName.c_str(), HidP_GetCaps, "HidP_GetCaps");
  bind(setup_, setupName.c_str(), SetupDiGetClassDevsW, "SetupDiGetClassDevsW");
  bind(setup_, setupName.c_str(), SetupDiEnumDeviceInterfaces, "SetupDiEnumDeviceInterfaces");
  bind(setup_, setupName.c_str(), SetupDiGetDeviceInterfaceDetailW, "SetupDiGetDeviceInterfaceDetailW");
  bind(setup_, setupName.c_str(), SetupDiDestroyDeviceInfoList, "SetupDiDestroyDeviceInfoList");
}

HidApi::~HidApi() {
  if (hid_ != nullptr) ::FreeLibrary(hid_);
  if (setup_ != nullptr) ::FreeLibrary(setup_);
}

GUID HidApi::hidGuid() const {
  GUID guid{};
  if (available()) HidD_GetHidGuid(&guid);
  return guid;
}

}  // namespace vestrix::hid::windows_hid
