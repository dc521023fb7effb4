#pragma once

#include "hid/platform.h"
#include "sim/instrument_model.h"

#include <memory>

namespace vestrix::app {

// A simulated HID bus with one simulated VESTRIX instrument plugged in: the
// program runs against it without the hardware.
std::unique_ptr<hid::Platform> MakeDemoPlatform(sim::Signal signal = sim::Signal::Wave);

}  // namespace vestrix::app
