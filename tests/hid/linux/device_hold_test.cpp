// The instrument held by one program at a time: an flock(2) on the node,
// its holder named from /proc/locks.
#include "hid/linux/linux_platform.h"
#include "hid/linux/lock_holder.h"

#include "support/sysfs_fixture.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vestrix::hid::linux_hid {
namespace {

const std::vector<std::uint8_t> kInstrument = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x09,
                                               0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F,
                                               0x81, 0x02, 0x09, 0x01, 0x95, 0x3F, 0x91, 0x02, 0xC0};

TEST(DeviceHold, ASecondHoldIsRefusedAndNamesTheHolderUntilTheFirstGoes) {
  testing::SysfsFixture fixture;
  fixture.addUsb("hidraw0", "0003:1209:0001.0003", "VESTRIX", kInstrument);
  fixture.addDevNode("hidraw0");
  // Two programs: each its own platform and its own descriptor of the node.
  LinuxPlatform first({fixture.sysRoot(), fixture.devRoot(), /*watchChanges=*/false});
  LinuxPlatform second({fixture.sysRoot(), fixture.devRoot(), /*watchChanges=*/false});
  const PnpInfo device = first.scan().at(0);

  HoldResult held = first.hold(device);
  ASSERT_NE(held.hold, nullptr);
  EXPECT_FALSE(held.inUse);
  const HoldResult refused = second.hold(device);
  EXPECT_EQ(refused.hold, nullptr);
  EXPECT_TRUE(refused.inUse);
  std::string self;
  std::getline(std::ifstream("/proc/self/comm"), self);
  EXPECT_EQ(refused.holder, self + " (pid " + std::to_string(::getpid()) + ")");

  held.hold.reset();
  const HoldResult taken = second.hold(device);
  EXPECT_NE(taken.hold, nullptr);
  EXPECT_FALSE(taken.inUse);
}

// A node that cannot be opened here is not held by anybody: it is used, or
// refused, as before.
TEST(DeviceHold, ANodeThatCannotBeOpenedIsNotInUse) {
  testing::SysfsFixture fixture;
  fixture.addUsb("hidraw0", "0003:1209:0001.0003", "VESTRIX", kInstrument);
  LinuxPlatform platform({fixture.sysRoot(), fixture.devRoot(), /*watchChanges=*/false});
  const HoldResult result = platform.hold(platform.scan().at(0));
  EXPECT_NE(result.hold, nullptr);
  EXPECT_FALSE(result.inUse);
}

struct LocksCase {
  const char* text;
  pid_t pid;
};

class FlockPidCase : public ::testing::TestWithParam<LocksCase> {};

// The file: device 0:5 (hex), inode 471.
TEST_P(FlockPidCase, FindsTheHolderOfTheFile) {
  EXPECT_EQ(FlockPid(GetParam().text, ::makedev(0, 5), 471), GetParam().pid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FlockPidCase,
    ::testing::Values(LocksCase{"1: FLOCK  ADVISORY  WRITE 1234 00:05:471 0 EOF\n", 1234},
                      LocksCase{"1: POSIX  ADVISORY  WRITE 99 00:05:471 0 EOF\n2: FLOCK  ADVISORY  WRITE 7 00:05:471 0 "
                                "EOF\n",
                                7},
                      LocksCase{"1: FLOCK  ADVISORY  WRITE 1234 00:05:4710 0 EOF\n", 0},  // another inode
                      LocksCase{"1: FLOCK  ADVISORY  WRITE 1234 fe:00:471 0 EOF\n", 0},   // another device
                      LocksCase{"1: -> FLOCK  ADVISORY  WRITE 55 00:05:471 0 EOF\n", 0},  // a waiter
                      LocksCase{"1: FLOCK  ADVISORY  WRITE 0 00:05:471 0 EOF\n", 0},      // another namespace
                      LocksCase{"1: FLOCK  ADVISORY  WRITE x 00:05:471 0 EOF", 0}, LocksCase{"", 0},
                      LocksCase{"garbage\n\n1: FLOCK\n", 0}));

TEST(LockHolder, NamesTheProcessOrItsPidAlone) {
  char pattern[] = "/tmp/vestrix-proc-XXXXXX";
  const std::string proc = ::mkdtemp(pattern);
  std::ofstream(proc + "/locks") << "1: FLOCK  ADVISORY  WRITE 42 00:05:471 0 EOF\n";
  EXPECT_EQ(LockHolder(::makedev(0, 5), 471, proc), "pid 42");
  ::mkdir((proc + "/42").c_str(), 0755);
  std::ofstream(proc + "/42/comm") << "vestrix-cli\n";
  EXPECT_EQ(LockHolder(::makedev(0, 5), 471, proc), "vestrix-cli (pid 42)");
  EXPECT_EQ(LockHolder(::makedev(0, 5), 472, proc), "");
  std::filesystem::remove_all(proc);
}

}  // namespace
}  // namespace vestrix::hid::linux_hid
