// The real program with two lines of output, so that a test can see the
// window come up and FormClose run.
#include "app/demo_platform.h"
#include "app/program.h"

#include <cstdio>

int main(int argc, char** argv) {
  vestrix::app::ProgramHooks hooks;
  hooks.onShown = [](vestrix::app::TFMain&) {
    std::puts("shown");
    std::fflush(stdout);
  };
  hooks.onFormClose = [] {
    std::puts("FormClose");
    std::fflush(stdout);
  };
  return vestrix::app::RunProgram(argc, argv, vestrix::app::MakeDemoPlatform, hooks);
}
