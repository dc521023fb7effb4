// The program on Linux, talking to HID devices through hidraw.
#include "app/program.h"
#include "hid/linux/linux_platform.h"
#include "options/command_line.h"

int main(int argc, char** argv) {
  const vestrix::options::ProgramInfo info{
      "vestrix-pc",
      "The desktop companion of the VESTRIX measuring instrument: finds it on USB by itself, shows its\n"
      "live values, records them to a file and reads and writes its configuration.",
      "It needs read and write access to the instrument's /dev/hidrawN: the udev rule 69-vestrix.rules\n"
      "gives it to the user at the seat. Settings are kept in ~/.config/vestrix-pc/config.ini; a copy\n"
      "of the program outside the installed folder keeps them beside itself where it can write.",
      {},
      {}};
  const vestrix::options::Parsed parsed = vestrix::options::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  if (!vestrix::options::CheckDisplay(info)) return 1;
  return vestrix::app::RunProgram(argv[0], [] { return std::make_unique<vestrix::hid::linux_hid::LinuxPlatform>(); });
}
