// End-to-end tests of the Linux backend against the kernel's HID stack: the
// simulated instrument becomes a real hidraw device through /dev/uhid. They
// need root and uhid, so scripts/vm-test runs them in a small VM.
#include "hid/hid_device_controller.h"
#include "hid/linux/linux_platform.h"
#include "loop/qt_gui_thread.h"
#include "measure/ui/display_page.h"
#include "protocol/codecs.h"
#include "protocol/message_codes.h"
#include "simulated_instrument/linux/uhid_instrument.h"

#include "support/window_fixture.h"

#include <QLineEdit>

#include <filesystem>
#include <future>
#include <set>

#include <dirent.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vestrix::hid::linux_hid {
namespace {

namespace fs = std::filesystem;

int CountEntries(const char* dir) {
  int n = 0;
  std::error_code ec;
  for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) ++n;
  return n;
}

int OpenDescriptors() { return CountEntries("/proc/self/fd"); }

// Open descriptors of hidraw nodes.
int HidrawDescriptors() {
  int n = 0;
  std::error_code ec;
  for (auto it = fs::directory_iterator("/proc/self/fd", ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (fs::read_symlink(it->path(), ec).string().rfind("/dev/hidraw", 0) == 0) ++n;
  }
  return n;
}
int Threads() { return CountEntries("/proc/self/task"); }

// The hidraw node of the HID device with this vendor:product, or "".
std::string NodeOf(std::uint16_t product) {
  for (const HidrawNode& node : SysfsHidraw().enumerate()) {
    if (node.productId == product && fs::exists("/dev/" + node.name)) return "/dev/" + node.name;
  }
  return "";
}

// Drops the capabilities that let root ignore file permissions, on this
// thread, for as long as it lives.
class WithoutDacOverride {
 public:
  WithoutDacOverride() {
    syscall(SYS_capget, &header_, saved_);
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    syscall(SYS_capset, &header_, reduced);
  }
  ~WithoutDacOverride() { syscall(SYS_capset, &header_, saved_); }

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
};

class Hidraw : public testing::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    ASSERT_TRUE(fs::exists("/dev/uhid")) << "needs uhid (run through scripts/vm-test)";
    other = std::make_unique<vestrix::sim::UhidDevice>(vestrix::sim::OtherDeviceConfig(), nullptr);
    instrument = std::make_unique<vestrix::sim::UhidInstrument>();
    std::string error;
    ASSERT_TRUE(other->create(&error)) << error;
    ASSERT_TRUE(instrument->plug(&error)) << error;
    ASSERT_TRUE(testing::PumpUntil([] { return !NodeOf(1).empty() && !NodeOf(2).empty(); }));
    platform = std::make_unique<LinuxPlatform>();
  }

  void TearDown() override {
    window.reset();
    instrument.reset();
    other.reset();
    testing::PumpUntil([] { return CountEntries("/sys/class/hidraw") == 0; });
    WindowFixture::TearDown();
  }

  void startWindow() {
    window = std::make_unique<app::TFMain>(*platform, settings.path());
    window->setDecimalSeparator(QLatin1Char('.'));
  }

  std::vector<std::uint8_t> lastOutput() {
    const auto outputs = instrument->device().recentOutputs();
    return outputs.empty() ? std::vector<std::uint8_t>{} : outputs.back();
  }

  std::unique_ptr<vestrix::sim::UhidDevice> other;
  std::unique_ptr<vestrix::sim::UhidInstrument> instrument;
  std::unique_ptr<LinuxPlatform> platform;
};

TEST_F(Hidraw, StartupFindsTheInstrumentAmongAnotherDeviceAndPolls) {
  startWindow();
  ASSERT_TRUE(testing::PumpUntil([&] { return connected(); }));
  EXPECT_EQ(panel(1), message("IDS_1"));
  QStringList listed = lines();
  listed.sort();
  EXPECT_EQ(listed, QStringList({"Other HID device", "VESTRIX"}));
  EXPECT_EQ(window->ActiveDevice()->pnpInfo().devicePath, NodeOf(1));
  // Polled at 15 ms; measurement messages come back decoded.
  const long before = instrument->device().outputCount();
  ASSERT_TRUE(testing::PumpUntil([&] { return window->TabSheet1->tensField()->text() != "-------------"; }));
  // However slow the machine, the requests keep coming.
  EXPECT_TRUE(testing::PumpUntil([&] { return instrument->device().outputCount() - before >= 10; }, 10000));
  EXPECT_GT(window->latestSample().year, 2000);
  std::vector<std::uint8_t> request(64, 0);
  request[0] = 1;
  request[1] = protocol::kReadMeasurement;
  EXPECT_EQ(lastOutput(), request);
}

TEST_F(Hidraw, ParameterReadAndWriteMakeTheRoundTrip) {
  startWindow();
  ASSERT_TRUE(testing::PumpUntil([&] { return connected(); }));
  window->DataTimer->stop();
  testing::PumpFor(100);

  // Write 1.5 to the bridge's rated output (code 31, write code 159).
  window->CommandBuffer[0] = 159;
  protocol::PutFloat32(&window->CommandBuffer[1], 1.5f);
  window->SendCommand(window->CommandBuffer.data(), protocol::kWordWriteLength);
  std::vector<std::uint8_t> write(64, 0);
  write[0] = 1;
  std::copy_n(window->CommandBuffer.begin(), 5, write.begin() + 1);
  ASSERT_TRUE(testing::PumpUntil([&] { return lastOutput() == write; }));
  EXPECT_EQ(instrument->instrument().withModel([](vestrix::sim::InstrumentModel& m) { return m.storedFloat(31); }),
            1.5f);

  // Read it back: the reply's status text reaches panel 0.
  window->CommandBuffer[0] = 31;
  window->SendCommand(window->CommandBuffer.data(), protocol::kRequestLength);
  std::vector<std::uint8_t> read(64, 0);
  read[0] = 1;
  read[1] = 31;
  EXPECT_TRUE(testing::PumpUntil([&] { return panel(0) == message("IDS_30"); }));
  EXPECT_EQ(lastOutput(), read);
}

TEST_F(Hidraw, UnplugAndReplugWithoutUserAction) {
  startWindow();
  ASSERT_TRUE(testing::PumpUntil([&] { return connected(); }));
  const std::uint32_t identity = window->ActiveDevice()->pnpInfo().devInst;
  instrument->unplug();
  ASSERT_TRUE(testing::PumpUntil([&] { return disconnected(); }));
  EXPECT_EQ(window->ActiveDevice(), nullptr);
  EXPECT_EQ(panel(1), message("IDS_2"));
  EXPECT_EQ(lines(), QStringList{"Other HID device"});
  ASSERT_TRUE(instrument->plug());
  ASSERT_TRUE(testing::PumpUntil([&] { return connected(); }));
  EXPECT_NE(window->ActiveDevice()->pnpInfo().devInst, identity);
  EXPECT_TRUE(testing::PumpUntil([&] { return instrument->device().outputCount() > 3; }));
}

TEST_F(Hidraw, ReaderReportsErrorsAfterUnplugUntilReleased) {
  loop::QtGuiThread gui;
  {
    HidDeviceController controller(*platform, gui);
    ASSERT_TRUE(testing::PumpUntil([&] { return controller.deviceCount() == 2; }));
    int index = controller.device(0).ProductID() == 1 ? 0 : 1;
    HidDevice* device = nullptr;
    ASSERT_TRUE(controller.ClaimDeviceByIndex(device, index));
    int errors = 0;
    int reports = 0;
    device->setReaderSleepTime(20);
    device->setReadErrorHandler(ReadErrorHandler::from([&](HidDevice&, std::uint32_t) { ++errors; }));
    device->setReportHandler(
        ReportHandler::from([&](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) { ++reports; }));
    std::vector<std::uint8_t> poll(64, 0);
    poll[0] = 1;
    poll[1] = protocol::kReadMeasurement;
    // hidraw queues reports only for descriptors already open, and the
    // reader opens its own on its thread: like the program, poll until an
    // answer comes rather than count on the first one being heard.
    ASSERT_TRUE(testing::PumpUntil([&] { return reports >= 1 || !device->WriteReport(poll.data(), poll.size()); }));
    ASSERT_GE(reports, 1);
    EXPECT_EQ(HidrawDescriptors(), 2);  // the reader's, and the main handle the write left open

    instrument->unplug();
    ASSERT_TRUE(testing::PumpUntil([&] { return !device->pluggedIn(); }));  // one pass
    EXPECT_FALSE(device->WriteReport(poll.data(), poll.size()));
    ASSERT_TRUE(testing::PumpUntil([&] { return errors >= 3; }));
    controller.ReleaseDevice(device);
    const int atRelease = errors;
    testing::PumpFor(200);
    EXPECT_EQ(errors, atRelease);
    EXPECT_EQ(controller.deviceCount(), 1);
    EXPECT_EQ(HidrawDescriptors(), 0);
  }
}

TEST_F(Hidraw, FiftyQuickReplugsLeaveNothingBehind) {
  startWindow();
  ASSERT_TRUE(testing::PumpUntil([&] { return connected(); }));
  ASSERT_TRUE(testing::PumpUntil([&] { return HidrawDescriptors() == 3; }));  // the reader's is open
  const int descriptors = OpenDescriptors();
  const int threads = Threads();
  std::set<std::uint32_t> identities;
  for (int i = 0; i < 50; ++i) {
    instrument->unplug();
    testing::PumpFor(i % 5);
    ASSERT_TRUE(instrument->plug());
    testing::PumpFor(i % 7);
  }
  ASSERT_TRUE(testing::PumpUntil([&] { return connected() && lines().size() == 2; }, 30000));
  // The instrument's reader, main handle and hold, once the reader has
  // opened its own and the last passes are through.
  EXPECT_TRUE(testing::PumpUntil(
      [&] { return HidrawDescriptors() == 3 && OpenDescriptors() == descriptors && Threads() == threads; }, 10000));
  EXPECT_TRUE(connected());
  EXPECT_EQ(window->HidDeviceController1->deviceCount(), 2);
  EXPECT_EQ(lines().size(), 2);
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_EQ(HidrawDescriptors(), 3);
  EXPECT_EQ(Threads(), threads);
  EXPECT_TRUE(testing::PumpUntil([&] { return window->TabSheet1->tensField()->text() != "-------------"; }));
}

TEST_F(Hidraw, InstrumentWithoutAccessIsIdentifiedAndTheUserToldWhy) {
  const std::string node = NodeOf(1);
  ASSERT_EQ(::chmod(node.c_str(), 0), 0);
  WithoutDacOverride unprivileged;
  startWindow();
  ASSERT_TRUE(testing::PumpUntil([&] { return lines().size() == 2; }));
  testing::PumpFor(100);
  ASSERT_NE(window->ActiveDevice(), nullptr);
  EXPECT_FALSE(window->ActiveDevice()->OpenedForReadWrite());
  EXPECT_TRUE(disconnected());
  EXPECT_EQ(panel(1), message("IDS_2"));
  EXPECT_TRUE(panel(0).contains(QString::fromStdString(node))) << panel(0).toStdString();
  EXPECT_TRUE(panel(0).contains("packaging/69-vestrix.rules")) << panel(0).toStdString();
  EXPECT_EQ(instrument->device().outputCount(), 0);
}

TEST_F(Hidraw, WriteToADeviceThatJustVanishedReturnsAtOnce) {
  const auto found = platform->scan();
  const auto info =
      std::find_if(found.begin(), found.end(), [](const PnpInfo& p) { return p.devicePath == NodeOf(1); });
  ASSERT_NE(info, found.end());
  auto handle = platform->open(*info, OpenMode::ReadWrite);
  ASSERT_NE(handle, nullptr);
  const int raw = ::open(info->devicePath.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(raw, 0);
  instrument->unplug();
  std::vector<std::uint8_t> report(64, 0);
  report[0] = 1;
  auto write = std::async(std::launch::async, [&] { return handle->write(report.data(), report.size()); });
  ASSERT_EQ(write.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "write hangs";
  EXPECT_FALSE(write.get());
  EXPECT_EQ(::write(raw, report.data(), report.size()), -1);
  EXPECT_EQ(errno, ENODEV);
  ::close(raw);
}

}  // namespace
}  // namespace vestrix::hid::linux_hid
