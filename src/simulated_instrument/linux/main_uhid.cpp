// vestrix-sim-uhid: the simulated VESTRIX instrument as a real kernel HID
// device (needs /dev/uhid, usually root). vestrix-pc then finds it through
// hidraw like the real instrument.
//
//   vestrix-sim-uhid [--other]
//
// --other also creates a HID device that is not the instrument. Commands on
// standard input, one per line: "unplug", "plug", "replug", "outputs", "quit".
#include "options/command_line.h"
#include "simulated_instrument/linux/uhid_instrument.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  const vestrix::options::ProgramInfo info{
      "vestrix-sim-uhid",
      "The simulated VESTRIX instrument as a real kernel HID device through /dev/uhid: it gets a\n"
      "/dev/hidrawN node, and vestrix-pc finds and uses it like the hardware.",
      "Needs /dev/uhid (the uhid module: sudo modprobe uhid) and access to it, usually root.\n\n"
      "Commands on standard input, one per line:\n"
      "  unplug   take the instrument off the bus\n"
      "  plug     put it back, as a new device\n"
      "  replug   both at once\n"
      "  outputs  say how many reports the other device was sent\n"
      "  quit     end (so does SIGINT or SIGTERM)",
      {{"--other", "also create a HID device that is not the instrument"}},
      {}};
  const vestrix::options::Parsed parsed = vestrix::options::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  const bool other = !parsed.options.empty();
  if (::access("/dev/uhid", F_OK) != 0) {
    std::fprintf(stderr, "vestrix-sim-uhid: /dev/uhid is missing: load the uhid module (sudo modprobe uhid)\n");
    return 1;
  }
  struct sigaction action = {};
  action.sa_handler = OnSignal;  // no SA_RESTART: a signal ends the wait for a command
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  vestrix::sim::UhidInstrument instrument;
  vestrix::sim::UhidDevice otherDevice(vestrix::sim::OtherDeviceConfig(), nullptr);
  std::string error;
  if (!instrument.plug(&error) || (other && !otherDevice.create(&error))) {
    std::fprintf(stderr, "vestrix-sim-uhid: %s\n", error.c_str());
    return 1;
  }
  std::printf("VESTRIX plugged in%s; commands: unplug, plug, replug, quit\n", other ? " (and another HID device)" : "");
  std::fflush(stdout);
  for (std::string line; !g_stop && std::getline(std::cin, line);) {
    if (line == "unplug") {
      instrument.unplug();
    } else if (line == "plug") {
      if (!instrument.plug(&error)) std::fprintf(stderr, "vestrix-sim-uhid: %s\n", error.c_str());
    } else if (line == "replug") {
      instrument.unplug();
      instrument.plug(&error);
    } else if (line == "quit") {
      break;
    } else if (line == "outputs") {
      // What the other device was sent: a program that leaves it alone sends nothing.
      std::printf("other outputs: %ld\n", otherDevice.outputCount());
      std::fflush(stdout);
      continue;
    } else if (!line.empty()) {
      std::fprintf(stderr, "unknown command: %s\n", line.c_str());
    }
    std::printf("%s\n", instrument.plugged() ? "plugged" : "unplugged");
    std::fflush(stdout);
  }
  // Without a terminal on standard input, stay until a signal comes.
  while (!g_stop && std::cin.eof() && !std::cin.bad()) pause();
  return 0;
}
