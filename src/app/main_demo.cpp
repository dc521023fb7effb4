// The program against a simulated instrument, for use without the hardware.
#include "app/demo_platform.h"
#include "app/program.h"
#include "cli/command_line.h"

int main(int argc, char** argv) {
  const vestrix::cli::ProgramInfo info{
      "vestrix-pc-demo",
      "VESTRIX PC against a simulated instrument: the whole program, with live values that are made up,\n"
      "for trying it out without the hardware. Nothing it shows is a measurement.",
      "Its settings are kept in demo.ini and its records go to data-simulated.csv, apart from the real\n"
      "program's.",
      {},
      {}};
  const vestrix::cli::Parsed parsed = vestrix::cli::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  if (!vestrix::cli::CheckDisplay(info)) return 1;
  vestrix::app::ProgramHooks hooks;
  hooks.captionNote = QStringLiteral(" (simulated instrument)");
  hooks.files = vestrix::app::ProgramFiles::Demo();
  return vestrix::app::RunProgram(argv[0], vestrix::app::MakeDemoPlatform, hooks);
}
