#pragma once

#include <cstddef>
#include <cstdint>

namespace vestrix::hid {
class HidDevice;
}

namespace vestrix::device {

// The largest output report the program builds.
constexpr std::size_t kMaxOutputReport = 256;

// Frames the first n bytes of a message (code and payload) into one output
// report, report id 1, zero-padded to the device's output report length, and
// writes it. Nothing is written without a device, or to a device whose
// output reports are longer than the program can build; a message longer
// than the report allows is cut. The result of the write is not examined.
void SendCommand(hid::HidDevice* activeDevice, const std::uint8_t* source, std::uint32_t n);

}  // namespace vestrix::device
