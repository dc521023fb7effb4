#include "options/command_line.h"

#include <cstdio>
#include <cstdlib>

namespace vestrix::options {

namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

bool CheckDisplay(const ProgramInfo& info) {
  if (Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY")) return true;
  std::fprintf(stderr,
               "%s: no display: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen to run without one\n",
               info.name.c_str());
  return false;
}

}  // namespace vestrix::options
