#pragma once

#include "simulated_instrument/linux/uhid_device.h"
#include "simulated_instrument/vestrix_instrument.h"

#include <memory>
#include <string>

namespace vestrix::sim {

// The simulated VESTRIX instrument as a kernel HID device: its output
// reports go to the instrument model, and the model's answers come back as
// input reports.
class UhidInstrument {
 public:
  explicit UhidInstrument(std::string uniq = "VX-0001");

  bool plug(std::string* error = nullptr) { return device_.create(error); }
  void unplug() { device_.destroy(); }
  bool plugged() const { return device_.created(); }

  VestrixInstrument& instrument() { return *instrument_; }
  UhidDevice& device() { return device_; }

 private:
  std::shared_ptr<VestrixInstrument> instrument_;
  UhidDevice device_;
};

// A HID device that is not the instrument: 8-byte vendor reports without
// report ids.
UhidDevice::Config OtherDeviceConfig();

}  // namespace vestrix::sim
