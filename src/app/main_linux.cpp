#include "app/program.h"

int main(int argc, char** argv) { return vestrix::app::RunProgram(argc, argv); }
