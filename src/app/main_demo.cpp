// The program against a simulated instrument, for use without the hardware.
#include "app/program.h"
#include "options/command_line.h"
#include "simulated_instrument/demo_bus.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  const vestrix::options::ProgramInfo info{
      "vestrix-pc-demo",
      "VESTRIX PC against a simulated instrument: the whole program, with live values that are made up,\n"
      "for trying it out without the hardware. Nothing it shows is a measurement.",
      "Its settings are kept in demo.ini and its records go to data-simulated.csv, apart from the real\n"
      "program's.",
      {{"--signal SIGNAL",
        "what the simulated load cell feels: 'wave' (a slow wave, the default) or 'tests'\n"
        "(a series of pull tests: rest, a ramp to a peak that varies, a sharp break)"}},
      {}};
  const vestrix::options::Parsed parsed = vestrix::options::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  const std::string signalName = parsed.value("--signal").value_or("wave");
  if (signalName != "wave" && signalName != "tests") {
    std::fprintf(stderr, "vestrix-pc-demo: --signal is 'wave' or 'tests', not '%s'\n", signalName.c_str());
    return 2;
  }
  const auto signal = signalName == "tests" ? vestrix::sim::Signal::Tests : vestrix::sim::Signal::Wave;
  if (!vestrix::options::CheckDisplay(info)) return 1;
  vestrix::app::ProgramHooks hooks;
  hooks.captionNote = QStringLiteral(" (simulated instrument)");
  hooks.files = vestrix::app::ProgramFiles::Demo();
  return vestrix::app::RunProgram(
      argv[0], [signal] { return vestrix::sim::MakeDemoBus(signal); }, hooks);
}
