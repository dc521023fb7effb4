#include "simulated_instrument/linux/uhid_instrument.h"

namespace vestrix::sim {

UhidInstrument::UhidInstrument(std::string uniq)
    : instrument_(std::make_shared<VestrixInstrument>()),
      device_({"VESTRIX", 0x1209, 0x0001, 0x0110, InstrumentDescriptor(), std::move(uniq)},
              [this](const std::vector<std::uint8_t>& report) {
                if (auto input = instrument_->answer(report)) device_.sendInput(*input);
              }) {}

UhidDevice::Config OtherDeviceConfig() {
  return {"Other HID device",
          0x1209,
          0x0002,
          0x0100,
          {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
           0x75, 0x08, 0x95, 0x08, 0x81, 0x02, 0x09, 0x01, 0x95, 0x08, 0x91, 0x02, 0xC0},
          "OTHER-1"};
}

}  // namespace vestrix::sim
