#include "device/command_sender.h"

#include "support/hid_fixture.h"

#include <gtest/gtest.h>

namespace vestrix::device {
namespace {

struct SendCase {
  const char* name;
  std::uint16_t outputLength;
  std::vector<std::uint8_t> message;
  std::vector<std::vector<std::uint8_t>> written;
};

void PrintTo(const SendCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::uint8_t> Report(std::size_t length, std::vector<std::uint8_t> head) {
  head.resize(length, 0);
  return head;
}

class Send : public ::testing::TestWithParam<SendCase>, public testing::HidFixture {};

TEST_P(Send, FramesTheMessageIntoOneOutputReport) {
  auto spec = testing::DeviceSpec(u"VESTRIX");
  spec.outputReportLength = GetParam().outputLength;
  auto sim = bus.plug(spec);
  createController();
  gui.processEvents();
  hid::HidDevice* device = nullptr;
  ASSERT_TRUE(controller->ClaimDeviceByIndex(device, 0));
  SendCommand(device, GetParam().message.data(), static_cast<std::uint32_t>(GetParam().message.size()));
  EXPECT_EQ(sim->outputReports(), GetParam().written);
  controller.reset();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Send,
    ::testing::Values(SendCase{"request_64", 64, {4}, {Report(64, {1, 4})}},
                      SendCase{"reset_64", 64, {131}, {Report(64, {1, 131})}},
                      SendCase{"float_write", 64, {159, 0, 0, 128, 63}, {Report(64, {1, 159, 0, 0, 128, 63})}},
                      SendCase{"cut_to_length", 4, {159, 1, 2, 3, 4}, {{1, 159, 1, 2}}},
                      SendCase{"nothing_copied", 8, {}, {Report(8, {1})}},
                      SendCase{"exactly_256", 256, {4}, {Report(256, {1, 4})}},
                      // Longer than the program builds: refused, nothing written.
                      SendCase{"over_256_refused", 300, {4}, {}},
                      // No descriptor lengths: nothing of the message leaves.
                      SendCase{"zero_length", 0, {4}, {}}));

TEST(SendCommand, WithoutDeviceDoesNothing) {
  const std::uint8_t message[] = {4};
  SendCommand(nullptr, message, 1);  // no crash, nothing to write to
}

}  // namespace
}  // namespace vestrix::device
