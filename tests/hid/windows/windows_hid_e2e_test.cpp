// The Windows HID backend against a real HID stack: wine's, on the VM's
// kernel, where the simulated instrument is a uhid device beside another
// HID device (scripts/windows-test runs this under wine in the VM). The
// simulator is driven through two files: commands appended to one, its
// answers read from the other.
#include "cli/instrument_session.h"
#include "hid/windows/windows_platform.h"
#include "protocol/message_codes.h"

#include "support/qt_pump.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include <windows.h>

namespace vestrix::hid::windows_hid {
namespace {

using cli::InstrumentSession;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The uhid simulator of the VM.
class Simulator {
 public:
  Simulator() : commands_(Env("VESTRIX_SIM_COMMANDS")), replies_(Env("VESTRIX_SIM_REPLIES")) {}
  bool there() const { return !commands_.empty() && !replies_.empty(); }

  // Sends a command and waits for the answer line.
  bool say(const std::string& command, const std::string& answer) {
    const std::size_t before = lines().size();
    std::ofstream(commands_, std::ios::app | std::ios::binary) << command << "\n";  // a line end as Linux has it
    return testing::PumpUntil(
        [&] {
          const std::vector<std::string> now = lines();
          for (std::size_t i = before; i < now.size(); ++i) {
            if (now[i].rfind(answer, 0) == 0) return true;
          }
          return false;
        },
        30000);
  }
  std::string lastLine() {
    const std::vector<std::string> all = lines();
    return all.empty() ? std::string() : all.back();
  }

 private:
  std::vector<std::string> lines() {
    std::ifstream in(replies_);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
  }

  std::string commands_;
  std::string replies_;
};

class WindowsHid : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!simulator.there()) GTEST_SKIP() << "needs the VM's uhid simulator (scripts/windows-test)";
  }
  // The instrument's interface and the other one.
  std::vector<std::pair<PnpInfo, std::u16string>> listed(WindowsPlatform& platform) {
    std::vector<std::pair<PnpInfo, std::u16string>> found;
    for (const PnpInfo& info : platform.scan()) {
      const std::unique_ptr<DeviceHandle> handle = platform.open(info, OpenMode::IdentifyOnly);
      if (!handle) continue;
      const std::optional<Attributes> a = handle->attributes();
      if (!a || a->vendorId != 0x1209) continue;  // wine's own devices
      found.emplace_back(info, handle->productString().value_or(u""));
    }
    return found;
  }

  Simulator simulator;
};

TEST_F(WindowsHid, TheInstrumentIsFoundAndIdentifiedBesideAnotherDevice) {
  WindowsPlatform platform;
  ASSERT_TRUE(platform.available()) << platform.unavailableReason();
  std::vector<std::pair<PnpInfo, std::u16string>> found;
  ASSERT_TRUE(testing::PumpUntil([&] { return (found = listed(platform)).size() == 2; }, 30000));
  int instruments = 0;
  for (const auto& [info, product] : found) {
    if (product != u"VESTRIX") continue;
    ++instruments;
    const std::unique_ptr<DeviceHandle> handle = platform.open(info, OpenMode::ReadWrite);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->attributes()->productId, 0x0001);
    const std::optional<Caps> caps = handle->caps();
    ASSERT_TRUE(caps);
    EXPECT_EQ(caps->inputReportByteLength, 64);
    EXPECT_EQ(caps->outputReportByteLength, 64);
    EXPECT_EQ(caps->usagePage, 0xFF00);
  }
  EXPECT_EQ(instruments, 1);
}

// As the window does it: found, connected, asked, answered; a thousand
// round trips, none lost; the other device sent nothing.
TEST_F(WindowsHid, AThousandRequestsAnswered) {
  WindowsPlatform platform;
  InstrumentSession session(platform);
  ASSERT_EQ(session.discover(), InstrumentSession::Link::Connected);
  ASSERT_TRUE(session.awaitReader(10000));
  const std::optional<protocol::MeasurementSample> first = session.measure(10000);
  ASSERT_TRUE(first);
  EXPECT_GT(first->year, 2000);
  // Each answer waited for as long as an emulated machine under load may
  // need: the count, not the pace, is what is checked here.
  int answered = 0;
  for (int i = 0; i < 1000; ++i) answered += session.measure(10000).has_value() ? 1 : 0;
  EXPECT_EQ(answered, 1000);
  ASSERT_TRUE(simulator.say("outputs", "other outputs:"));
  EXPECT_EQ(simulator.lastLine(), "other outputs: 0");
}

// Unplugged and plugged in again: the system's notification reaches the
// session, which loses and finds the instrument by itself.
TEST_F(WindowsHid, UnplugAndReplugAreSeenThroughTheNotifications) {
  WindowsPlatform platform;
  InstrumentSession session(platform);
  ASSERT_EQ(session.discover(), InstrumentSession::Link::Connected);
  ASSERT_TRUE(simulator.say("unplug", "unplugged"));
  EXPECT_TRUE(session.waitFor([&] { return !session.connected(); }, 30000));
  ASSERT_TRUE(simulator.say("plug", "plugged"));
  ASSERT_TRUE(session.waitFor([&] { return session.connected(); }, 30000));
  ASSERT_TRUE(session.awaitReader(5000));
  EXPECT_TRUE(session.measure(5000).has_value());
}

// Another program holds the instrument: this one is refused and told which
// program it is; once that program ends, the instrument is free.
TEST_F(WindowsHid, ASecondProgramIsRefusedWhileTheFirstHoldsTheInstrument) {
  const std::string holderExe = Env("VESTRIX_HID_EXE");
  ASSERT_FALSE(holderExe.empty());
  std::wstring command = std::wstring(holderExe.begin(), holderExe.end()) + L" --hold 60";
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION holder{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &holder));
  const std::string expected = "vestrix-hid.exe (pid " + std::to_string(holder.dwProcessId) + ")";
  std::optional<device::Refusal> refusal;
  const bool refused = testing::PumpUntil(
      [&] {
        WindowsPlatform platform;
        InstrumentSession session(platform);
        session.discover();
        refusal = session.refusal();
        return refusal && refusal->kind == device::Refusal::Kind::InUse;
      },
      60000);
  EXPECT_TRUE(refused);
  EXPECT_EQ(refusal ? refusal->holder : std::string(), expected);
  ::TerminateProcess(holder.hProcess, 0);
  ::WaitForSingleObject(holder.hProcess, 30000);
  ::CloseHandle(holder.hProcess);
  ::CloseHandle(holder.hThread);
  WindowsPlatform platform;
  InstrumentSession session(platform);
  EXPECT_EQ(session.discover(), InstrumentSession::Link::Connected);
}

}  // namespace
}  // namespace vestrix::hid::windows_hid
