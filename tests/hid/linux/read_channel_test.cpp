// The hidraw read channel in the normal test run: a FIFO stands at the
// fixture's device node, so poll, the eventfd cancel and the report-id byte
// are exercised without a kernel HID device.
#include "hid/linux/linux_platform.h"

#include "support/sysfs_fixture.h"
#include "support/watchdog.h"

#include <gtest/gtest.h>

#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::hid::linux_hid {
namespace {

using namespace std::chrono_literals;

// Vendor page, 64-byte input and output reports, with report id 1 or without ids.
std::vector<std::uint8_t> Descriptor(bool numbered) {
  if (numbered) {
    return {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF,
            0x00, 0x75, 0x08, 0x95, 0x40, 0x81, 0x02, 0x09, 0x01, 0x95, 0x40, 0x91, 0x02, 0xC0};
  }
  return {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
          0x75, 0x08, 0x95, 0x40, 0x81, 0x02, 0x09, 0x01, 0x95, 0x40, 0x91, 0x02, 0xC0};
}

class ReadChannelTest : public ::testing::Test {
 protected:
  // One device whose node is a FIFO; the test holds its writing end.
  std::unique_ptr<ReadChannel> openChannel(bool numbered) {
    fixture.addVirtual("hidraw0", "0003:1209:0001.0001", "VESTRIX", Descriptor(numbered));
    const std::string node = fixture.devRoot() + "/hidraw0";
    EXPECT_EQ(::mkfifo(node.c_str(), 0600), 0);
    int error = 0;
    std::unique_ptr<ReadChannel> channel = platform.openRead(platform.scan().at(0), &error);
    EXPECT_NE(channel, nullptr) << error;
    writer = ::open(node.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(writer, 0);
    return channel;
  }
  void TearDown() override {
    if (writer >= 0) ::close(writer);
  }
  void send(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  testing::SysfsFixture fixture;
  LinuxPlatform platform{{fixture.sysRoot(), fixture.devRoot(), /*watchChanges=*/false}};
  int writer = -1;
};

TEST_F(ReadChannelTest, AReportWithoutIdGetsItsLeadingZeroByte) {
  auto channel = openChannel(false);
  std::vector<std::uint8_t> report(64, 0);
  report[0] = 4;
  report[63] = 0xAB;
  send(report);
  std::vector<std::uint8_t> buffer(65, 0xEE);
  const ReadResult result = channel->read(buffer.data(), buffer.size(), 1000);
  ASSERT_EQ(result.kind, ReadResult::Data);
  EXPECT_EQ(result.bytes, 65u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], 4);
  EXPECT_EQ(buffer[64], 0xAB);
}

TEST_F(ReadChannelTest, ANumberedReportIsTakenAsItComes) {
  auto channel = openChannel(true);
  std::vector<std::uint8_t> report(64, 0);
  report[0] = 1;
  report[1] = 4;
  send(report);
  std::vector<std::uint8_t> buffer(64, 0xEE);
  const ReadResult result = channel->read(buffer.data(), buffer.size(), 1000);
  ASSERT_EQ(result.kind, ReadResult::Data);
  EXPECT_EQ(result.bytes, 64u);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[1], 4);
}

TEST_F(ReadChannelTest, NothingWaitingTimesOutAndALookDoesNotWait) {
  auto channel = openChannel(true);
  std::vector<std::uint8_t> buffer(64);
  EXPECT_EQ(channel->read(buffer.data(), buffer.size(), 0).kind, ReadResult::TimedOut);
  EXPECT_EQ(channel->read(buffer.data(), buffer.size(), 20).kind, ReadResult::TimedOut);
}

TEST_F(ReadChannelTest, AWaitingReadWakesForAReport) {
  auto channel = openChannel(true);
  std::vector<std::uint8_t> buffer(64);
  testing::Watchdog watchdog(20s, "a read waiting in poll");
  auto reading = std::async(std::launch::async, [&] { return channel->read(buffer.data(), buffer.size(), 60000); });
  std::vector<std::uint8_t> report(64, 7);
  send(report);
  const ReadResult result = reading.get();
  EXPECT_EQ(result.kind, ReadResult::Data);
  EXPECT_EQ(buffer[5], 7);
}

TEST_F(ReadChannelTest, CancelEndsAWaitingReadAndEveryLaterOne) {
  auto channel = openChannel(true);
  std::vector<std::uint8_t> buffer(64);
  testing::Watchdog watchdog(20s, "a cancelled read");
  auto reading = std::async(std::launch::async, [&] { return channel->read(buffer.data(), buffer.size(), 60000); });
  channel->cancel();
  EXPECT_EQ(reading.get().kind, ReadResult::Cancelled);
  send(std::vector<std::uint8_t>(64, 1));
  EXPECT_EQ(channel->read(buffer.data(), buffer.size(), 60000).kind, ReadResult::Cancelled);
}

// The node vanishes and its number goes to another device between the
// identity check and the open: the descriptor opened is not the device's.
class ReusingPlatform : public LinuxPlatform {
 public:
  ReusingPlatform(Options options, testing::SysfsFixture& fixture)
      : LinuxPlatform(std::move(options)), fixture_(fixture) {}
  bool reuse = false;

 protected:
  int openNode(const std::string& path, int flags) override {
    if (reuse) {
      fixture_.remove("hidraw0");
      fixture_.addVirtual("hidraw0", "0003:1209:0002.0009", "Other", Descriptor(true));
    }
    return LinuxPlatform::openNode(path, flags);
  }

 private:
  testing::SysfsFixture& fixture_;
};

TEST(ReusedNode, BetweenCheckAndOpenIsNotTakenForTheDevice) {
  for (const bool forReading : {false, true}) {
    testing::SysfsFixture fixture;
    fixture.addVirtual("hidraw0", "0003:1209:0001.0001", "VESTRIX", Descriptor(true));
    fixture.addDevNode("hidraw0");
    ReusingPlatform platform({fixture.sysRoot(), fixture.devRoot(), false}, fixture);
    const PnpInfo device = platform.scan().at(0);
    platform.reuse = true;
    if (forReading) {
      int error = 0;
      EXPECT_EQ(platform.openRead(device, &error), nullptr);
      EXPECT_EQ(error, ENODEV);
    } else {
      EXPECT_EQ(platform.open(device, OpenMode::ReadWrite), nullptr);
    }
  }
}

}  // namespace
}  // namespace vestrix::hid::linux_hid
