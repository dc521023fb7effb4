// The Windows HID backend without an instrument (under wine on the build
// machine): the entry points bound or their absence said, enumeration,
// what cannot be opened, the hold, overlapped reads on a pipe, and the
// window that hears device changes.
#include "hid/windows/windows_platform.h"

#include "hid/hid_device_controller.h"
#include "hid/windows/device_change_window.h"
#include "hid/windows/device_hold.h"
#include "hid/windows/overlapped_read_channel.h"
#include "loop/qt_gui_thread.h"

#include "support/qt_pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <dbt.h>
#include <windows.h>

namespace vestrix::hid::windows_hid {
namespace {

// The platform without the window that hears changes.
WindowsPlatform::Options Unwatched() {
  WindowsPlatform::Options options;
  options.watchChanges = false;
  return options;
}

TEST(HidApi, AMissingLibraryIsNamedAndNothingIsFound) {
  WindowsPlatform::Options options;
  options.hidLibrary = L"no-such-hid.dll";
  WindowsPlatform platform(options);
  EXPECT_FALSE(platform.available());
  EXPECT_EQ(platform.unavailableReason(), "no-such-hid.dll");
  EXPECT_TRUE(platform.scan().empty());
  EXPECT_EQ(platform.open({1, "\\\\?\\hid#none"}, OpenMode::IdentifyOnly), nullptr);
  int error = 0;
  EXPECT_EQ(platform.openRead({1, "\\\\?\\hid#none"}, &error), nullptr);
  EXPECT_NE(error, 0);
  EXPECT_EQ(platform.changeWindow(), nullptr);
}

// A library without one of the entry points: the first missing one named.
TEST(HidApi, AMissingEntryPointIsNamed) {
  const HidApi api(L"kernel32.dll", L"setupapi.dll");
  EXPECT_FALSE(api.available());
  EXPECT_EQ(api.missing(), "kernel32.dll!HidD_GetHidGuid");
  EXPECT_TRUE(HidApi().available());
}

// Whatever HID devices the system has: listed with their paths, the same
// identity at every scan while they stay.
TEST(WindowsPlatform, EnumeratesWithIdentitiesThatStay) {
  WindowsPlatform platform(Unwatched());
  ASSERT_TRUE(platform.available()) << platform.unavailableReason();
  const std::vector<PnpInfo> first = platform.scan();
  const std::vector<PnpInfo> second = platform.scan();
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_FALSE(first[i].devicePath.empty());
    EXPECT_EQ(first[i].devInst, second[i].devInst);
    EXPECT_EQ(first[i].devicePath, second[i].devicePath);
    // Every one is identified, whatever the access.
    const std::unique_ptr<DeviceHandle> handle = platform.open(first[i], OpenMode::IdentifyOnly);
    ASSERT_NE(handle, nullptr) << first[i].devicePath;
    EXPECT_TRUE(handle->attributes().has_value());
  }
}

TEST(WindowsPlatform, APathThatNamesNothingOpensNot) {
  WindowsPlatform platform(Unwatched());
  const PnpInfo gone{7, "\\\\?\\hid#vid_1209&pid_0001#gone#{4d1e55b2-f16f-11cf-88cb-001111000030}"};
  EXPECT_EQ(platform.open(gone, OpenMode::ReadWrite), nullptr);
  EXPECT_EQ(platform.open(gone, OpenMode::IdentifyOnly), nullptr);
  int error = 0;
  EXPECT_EQ(platform.openRead(gone, &error), nullptr);
  EXPECT_NE(error, 0);
}

// One program at a time: the second is told who holds the interface, and
// takes it once the first lets go. Spelling of the path aside.
TEST(DeviceHold, ASecondHoldIsRefusedAndNamesTheHolder) {
  HoldResult first = HoldInterface(L"\\\\?\\HID#VID_1209&PID_0001#Test", "vestrix-pc.exe (pid 12)");
  ASSERT_NE(first.hold, nullptr);
  const HoldResult second = HoldInterface(L"\\\\?\\hid#vid_1209&pid_0001#test", "vestrix-cli.exe (pid 13)");
  EXPECT_EQ(second.hold, nullptr);
  EXPECT_TRUE(second.inUse);
  EXPECT_EQ(second.holder, "vestrix-pc.exe (pid 12)");
  // Another interface is free.
  EXPECT_NE(HoldInterface(L"\\\\?\\hid#other", "x").hold, nullptr);
  // Let go on another thread than the one that took it.
  std::thread([&] { first.hold.reset(); }).join();
  const HoldResult third = HoldInterface(L"\\\\?\\hid#vid_1209&pid_0001#test", "vestrix-cli.exe (pid 13)");
  EXPECT_NE(third.hold, nullptr);
  EXPECT_FALSE(third.inUse);
  EXPECT_NE(ThisProgram().find(".exe (pid " + std::to_string(::GetCurrentProcessId()) + ")"), std::string::npos)
      << ThisProgram();
}

// A pipe stands in for the interface: its messages are the reports.
class PipeChannel : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring name =
        L"\\\\.\\pipe\\vestrix-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(next_++);
    writer_ = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_MESSAGE | PIPE_WAIT, 1, 4096, 4096, 0,
                                 nullptr);
    ASSERT_NE(writer_, INVALID_HANDLE_VALUE);
    const HANDLE reader =
        ::CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    // A report a read, as HID gives them: the pipe read by messages.
    DWORD mode = PIPE_READMODE_MESSAGE;
    ASSERT_TRUE(::SetNamedPipeHandleState(reader, &mode, nullptr, nullptr));
    channel_ = std::make_unique<OverlappedReadChannel>(reader, 64);
  }
  void TearDown() override {
    channel_.reset();
    ::CloseHandle(writer_);
  }
  void send(std::vector<std::uint8_t> report) {
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(writer_, report.data(), static_cast<DWORD>(report.size()), &written, nullptr));
  }

  HANDLE writer_ = INVALID_HANDLE_VALUE;
  std::unique_ptr<OverlappedReadChannel> channel_;
  static inline int next_ = 0;
};

TEST_F(PipeChannel, AReportIsReadWholeAndAWaitTimesOut) {
  std::uint8_t buffer[64] = {};
  EXPECT_EQ(channel_->read(buffer, sizeof buffer, 0).kind, ReadResult::TimedOut);  // a look: nothing there
  EXPECT_EQ(channel_->read(buffer, sizeof buffer, 20).kind, ReadResult::TimedOut);
  send({1, 4, 7, 9});  // taken by the read still outstanding
  const ReadResult r = channel_->read(buffer, sizeof buffer, 1000);
  ASSERT_EQ(r.kind, ReadResult::Data);
  EXPECT_EQ(r.bytes, 4u);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[3], 9);
  send({0, 5});
  send({0, 6});
  EXPECT_EQ(channel_->read(buffer, sizeof buffer, 1000).bytes, 2u);
  EXPECT_EQ(buffer[1], 5);
  EXPECT_EQ(channel_->read(buffer, sizeof buffer, 1000).bytes, 2u);
  EXPECT_EQ(buffer[1], 6);
}

TEST_F(PipeChannel, CancelEndsAWaitingReadAndEveryLaterOne) {
  std::uint8_t buffer[64] = {};
  std::atomic<bool> waiting{false};
  std::thread reader([&] {
    waiting = true;
    EXPECT_EQ(channel_->read(buffer, sizeof buffer, -1).kind, ReadResult::Cancelled);
  });
  while (!waiting) std::this_thread::yield();
  channel_->cancel();
  reader.join();
  send({1, 2});
  EXPECT_EQ(channel_->read(buffer, sizeof buffer, 1000).kind, ReadResult::Cancelled);
}

// The writer goes: the read fails with the system's error, at once.
TEST_F(PipeChannel, TheOtherEndGoneIsAFailure) {
  std::uint8_t buffer[64] = {};
  EXPECT_EQ(channel_->read(buffer, sizeof buffer, 10).kind, ReadResult::TimedOut);
  ::CloseHandle(writer_);
  writer_ = INVALID_HANDLE_VALUE;
  const ReadResult r = channel_->read(buffer, sizeof buffer, 5000);
  EXPECT_EQ(r.kind, ReadResult::Failed);
  EXPECT_EQ(r.error, ERROR_BROKEN_PIPE);
}

// Gone with a read outstanding: the read is ended and waited for first.
TEST_F(PipeChannel, DestroyedWithAReadOutstanding) {
  std::uint8_t buffer[64] = {};
  EXPECT_EQ(channel_->read(buffer, sizeof buffer, 5).kind, ReadResult::TimedOut);
  channel_.reset();
}

// The window hears a broadcast and an interface's arrival, each on its own
// thread; made and ended many times, it leaves no thread behind.
TEST(DeviceChangeWindow, HearsChangesOnItsOwnThread) {
  std::atomic<int> changes{0};
  std::atomic<DWORD> thread{0};
  std::wstring arrived;
  {
    DeviceChangeWindow window(
        GUID{},
        [&] {
          thread = ::GetCurrentThreadId();
          ++changes;
        },
        [&](const std::wstring& path) { arrived = path; });
    ASSERT_NE(window.window(), nullptr);
    ::SendMessageW(window.window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(thread, ::GetCurrentThreadId());
    std::vector<std::uint8_t> message(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + 64 * sizeof(wchar_t));
    auto* arrival = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(message.data());
    arrival->dbcc_size = static_cast<DWORD>(message.size());
    arrival->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    wcscpy(arrival->dbcc_name, L"\\\\?\\hid#vid_1209&pid_0001#new");
    ::SendMessageW(window.window(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(arrival));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(arrived, L"\\\\?\\hid#vid_1209&pid_0001#new");
    ::SendMessageW(window.window(), WM_DEVICECHANGE, DBT_CONFIGCHANGED, 0);  // not a device change
    EXPECT_EQ(changes, 2);
  }
  for (int i = 0; i < 50; ++i) DeviceChangeWindow window(GUID{}, [] {});
}

// On the system's HID services the controller runs its start-up pass and
// one for every change the window hears.
TEST(WindowsPlatform, TheControllerPassesOnEveryChange) {
  WindowsPlatform platform;
  ASSERT_NE(platform.changeWindow(), nullptr);
  loop::QtGuiThread gui;
  HidDeviceController controller(platform, gui);
  int passes = 0;
  controller.setOnDeviceChange(HidDeviceController::NotifyHandler::from([&](HidDeviceController&) { ++passes; }));
  ASSERT_TRUE(testing::PumpUntil([&] { return passes >= 1; }));
  EXPECT_EQ(controller.deviceCount(), static_cast<int>(platform.scan().size()));
  ::PostMessageW(platform.changeWindow(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
  EXPECT_TRUE(testing::PumpUntil([&] { return passes >= 2; }));
}

}  // namespace
}  // namespace vestrix::hid::windows_hid
