#include "device/command_sender.h"

#include "hid/hid_device.h"
#include "protocol/message_codes.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vestrix::device {

void SendCommand(hid::HidDevice* activeDevice, const std::uint8_t* source, std::uint32_t n) {
  if (activeDevice == nullptr) return;
  std::array<std::uint8_t, kMaxOutputReport> report{};
  const std::size_t length = activeDevice->GetCaps().outputReportByteLength;
  if (length > report.size()) return;  // refused rather than overrun
  report[0] = protocol::kOutputReportId;
  const std::size_t copied = std::min<std::size_t>(n, length > 0 ? length - 1 : 0);
  if (copied > 0) std::memcpy(report.data() + 1, source, copied);
  activeDevice->WriteReport(report.data(), length);
}

}  // namespace vestrix::device
