#include "hid/windows/windows_platform.h"

#include "hid/windows/device_change_window.h"
#include "hid/windows/device_hold.h"
#include "hid/windows/overlapped_read_channel.h"

#include <cwctype>
#include <set>
#include <vector>

namespace vestrix::hid::windows_hid {

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

HANDLE OpenPath(const std::wstring& path, DWORD access, DWORD flags) {
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                       nullptr);
}

// The main handle: identification through hid.dll, writes with a time
// limit (a device that stops taking reports must not hold the GUI thread).
class WindowsDeviceHandle : public DeviceHandle {
 public:
  WindowsDeviceHandle(const HidApi& api, HANDLE handle, bool writable)
      : api_(api), handle_(handle), writable_(writable) {
    written_.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }
  ~WindowsDeviceHandle() override {
    ::CloseHandle(handle_);
    ::CloseHandle(written_.hEvent);
  }

  std::optional<Attributes> attributes() override {
    HIDD_ATTRIBUTES a{};
    a.Size = sizeof a;
    if (!api_.HidD_GetAttributes(handle_, &a)) return std::nullopt;
    return Attributes{a.VendorID, a.ProductID, a.VersionNumber};
  }

  std::optional<std::u16string> productString() override {
    // The longest string a USB descriptor holds, and its terminating zero.
    wchar_t text[127] = {};
    if (!api_.HidD_GetProductString(handle_, text, sizeof text)) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(text), wcsnlen(text, 126));
  }

  std::optional<Caps> caps() override {
    PHIDP_PREPARSED_DATA data = nullptr;
    if (!api_.HidD_GetPreparsedData(handle_, &data)) return std::nullopt;
    HIDP_CAPS c{};
    const NTSTATUS status = api_.HidP_GetCaps(data, &c);
    api_.HidD_FreePreparsedData(data);
    if (status != HIDP_STATUS_SUCCESS) return std::nullopt;
    Caps caps;
    caps.usage = c.Usage;
    caps.usagePage = c.UsagePage;
    caps.inputReportByteLength = c.InputReportByteLength;
    caps.outputReportByteLength = c.OutputReportByteLength;
    caps.featureReportByteLength = c.FeatureReportByteLength;
    return caps;
  }

  bool write(const std::uint8_t* data, std::size_t length) override {
    if (!writable_ || length == 0) return false;
    ::ResetEvent(written_.hEvent);
    DWORD bytes = 0;
    if (!::WriteFile(handle_, data, static_cast<DWORD>(length), nullptr, &written_)) {
      if (::GetLastError() != ERROR_IO_PENDING) return false;
      if (::WaitForSingleObject(written_.hEvent, WindowsPlatform::kWriteTimeoutMs) != WAIT_OBJECT_0) {
        ::CancelIoEx(handle_, &written_);
        ::GetOverlappedResult(handle_, &written_, &bytes, TRUE);
        return false;
      }
    }
    if (!::GetOverlappedResult(handle_, &written_, &bytes, TRUE)) return false;
    // A write counts when the system took a report: real Windows reports
    // the report's whole length, wine one byte less (the report id); the
    // size of what is written is the driver's affair, its success is not.
    return bytes > 0 && bytes <= length;
  }

 private:
  const HidApi& api_;
  HANDLE handle_;
  bool writable_;
  OVERLAPPED written_{};
};

}  // namespace

WindowsPlatform::WindowsPlatform() : WindowsPlatform(Options{}) {}

WindowsPlatform::WindowsPlatform(Options options)
    : options_(std::move(options)), api_(options_.hidLibrary, options_.setupLibrary) {
  if (options_.holderName.empty()) options_.holderName = ThisProgram();
  if (options_.watchChanges && api_.available()) {
    window_ = std::make_unique<DeviceChangeWindow>(
        api_.hidGuid(), [this] { changes_.notify(); }, [this](const std::wstring& path) { arrived(path); });
  }
}

WindowsPlatform::~WindowsPlatform() { window_.reset(); }

HWND WindowsPlatform::changeWindow() const { return window_ ? window_->window() : nullptr; }

void WindowsPlatform::setChangeHandler(std::function<void()> handler) { changes_.set(std::move(handler)); }

void WindowsPlatform::arrived(const std::wstring& path) {
  std::lock_guard lock(identitiesMutex_);
  identities_.erase(Lower(path));
}

std::uint32_t WindowsPlatform::identityOf(const std::wstring& path) {
  std::lock_guard lock(identitiesMutex_);
  const auto [at, added] = identities_.try_emplace(Lower(path), nextIdentity_);
  if (added) ++nextIdentity_;
  return at->second;
}

std::vector<PnpInfo> WindowsPlatform::scan() {
  std::vector<PnpInfo> found;
  if (!api_.available()) return found;
  const GUID guid = api_.hidGuid();
  const HDEVINFO set = api_.SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return found;
  std::set<std::wstring> present;
  SP_DEVICE_INTERFACE_DATA item{};
  item.cbSize = sizeof item;
  for (DWORD index = 0; api_.SetupDiEnumDeviceInterfaces(set, nullptr, &guid, index, &item); ++index) {
    DWORD size = 0;
    api_.SetupDiGetDeviceInterfaceDetailW(set, &item, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    std::vector<std::uint8_t> buffer(size);
    auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!api_.SetupDiGetDeviceInterfaceDetailW(set, &item, detail, size, nullptr, nullptr)) continue;
    const std::wstring path = detail->DevicePath;
    present.insert(Lower(path));
    found.push_back({identityOf(path), Utf8(path)});
  }
  api_.SetupDiDestroyDeviceInfoList(set);
  // An interface that went is forgotten: when it comes back it is another.
  std::lock_guard lock(identitiesMutex_);
  std::erase_if(identities_, [&](const auto& known) { return present.count(known.first) == 0; });
  return found;
}

std::unique_ptr<DeviceHandle> WindowsPlatform::open(const PnpInfo& device, OpenMode mode) {
  if (!api_.available()) return nullptr;
  const bool readWrite = mode == OpenMode::ReadWrite;
  // Identification needs no access at all: keyboards and mice, which
  // Windows keeps for itself, are still listed.
  const HANDLE handle = OpenPath(Wide(device.devicePath), readWrite ? GENERIC_READ | GENERIC_WRITE : 0,
                                 readWrite ? FILE_FLAG_OVERLAPPED : 0);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<WindowsDeviceHandle>(api_, handle, readWrite);
}

std::unique_ptr<ReadChannel> WindowsPlatform::openRead(const PnpInfo& device, int* error) {
  if (!api_.available()) {
    *error = ERROR_INVALID_FUNCTION;
    return nullptr;
  }
  const HANDLE handle = OpenPath(Wide(device.devicePath), GENERIC_READ | GENERIC_WRITE, FILE_FLAG_OVERLAPPED);
  if (handle == INVALID_HANDLE_VALUE) {
    *error = static_cast<int>(::GetLastError());
    return nullptr;
  }
  // The buffer holds the longest input report the device declares.
  std::size_t length = 64;
  PHIDP_PREPARSED_DATA data = nullptr;
  if (api_.HidD_GetPreparsedData(handle, &data)) {
    HIDP_CAPS caps{};
    if (api_.HidP_GetCaps(data, &caps) == HIDP_STATUS_SUCCESS && caps.InputReportByteLength > 0) {
      length = caps.InputReportByteLength;
    }
    api_.HidD_FreePreparsedData(data);
  }
  return std::make_unique<OverlappedReadChannel>(handle, length);
}

HoldResult WindowsPlatform::hold(const PnpInfo& device) {
  return HoldInterface(Wide(device.devicePath), options_.holderName);
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace vestrix::hid::windows_hid
