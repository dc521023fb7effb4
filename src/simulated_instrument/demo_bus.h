#pragma once

#include "hid/platform.h"
#include "simulated_instrument/instrument_model.h"

#include <memory>

namespace vestrix::sim {

// A simulated HID bus with one simulated VESTRIX instrument plugged in: a
// program runs against it without the hardware.
std::unique_ptr<hid::Platform> MakeDemoBus(Signal signal = Signal::Wave);

}  // namespace vestrix::sim
