#include "hid/system_platform.h"

#include "hid/windows/windows_platform.h"

namespace vestrix::hid {

std::unique_ptr<Platform> MakeSystemPlatform() { return std::make_unique<windows_hid::WindowsPlatform>(); }

}  // namespace vestrix::hid
