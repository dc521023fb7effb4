// The program against a simulated instrument, for use without the hardware.
#include "app/demo_platform.h"
#include "app/program.h"

int main(int argc, char** argv) { return vestrix::app::RunProgram(argc, argv, vestrix::app::MakeDemoPlatform); }
