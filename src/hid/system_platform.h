#pragma once

#include "hid/platform.h"

#include <memory>

namespace vestrix::hid {

// The HID services of the system the program is built for (hidraw on
// Linux, SetupAPI and hid.dll on Windows). Defined by the system's backend
// library, which a program links.
std::unique_ptr<Platform> MakeSystemPlatform();

}  // namespace vestrix::hid
