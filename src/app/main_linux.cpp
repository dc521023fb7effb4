// The program on Linux, talking to HID devices through hidraw.
#include "app/program.h"
#include "hid/linux/linux_platform.h"

int main(int argc, char** argv) {
  return vestrix::app::RunProgram(argc, argv, [] { return std::make_unique<vestrix::hid::linux_hid::LinuxPlatform>(); });
}
