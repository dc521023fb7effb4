// The program on Windows, talking to HID devices through SetupAPI and
// hid.dll. A program with a window and without a console.
#include "app/program.h"
#include "hid/system_platform.h"
#include "options/command_line.h"

int main(int argc, char** argv) {
  const vestrix::options::ProgramInfo info{
      "vestrix-pc",
      "The desktop companion of the VESTRIX measuring instrument: finds it on USB by itself, shows its\n"
      "live values, records them to a file and reads and writes its configuration.",
      "Settings are kept in config.ini beside the program where it can write, otherwise in\n"
      "%APPDATA%\\vestrix-pc\\config.ini.",
      {},
      {}};
  const vestrix::options::Parsed parsed = vestrix::options::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  return vestrix::app::RunProgram(argv[0], [] { return vestrix::hid::MakeSystemPlatform(); });
}
