#pragma once

#include "hid/platform.h"

#include <memory>

namespace vestrix::app {

// A simulated HID bus with one simulated VESTRIX instrument plugged in: the
// program runs against it without the hardware.
std::unique_ptr<hid::Platform> MakeDemoPlatform();

}  // namespace vestrix::app
