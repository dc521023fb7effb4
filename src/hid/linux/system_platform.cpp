#include "hid/system_platform.h"

#include "hid/linux/linux_platform.h"

namespace vestrix::hid {

std::unique_ptr<Platform> MakeSystemPlatform() { return std::make_unique<linux_hid::LinuxPlatform>(); }

}  // namespace vestrix::hid
