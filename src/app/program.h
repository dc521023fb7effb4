#pragma once

#include "app/program_files.h"

#include <QString>

#include <functional>
#include <memory>

namespace vestrix::hid {
class Platform;
}

namespace vestrix::app {

class TFMain;

struct ProgramHooks {
  std::function<void(TFMain&)> onShown;  // the window is up and the event loop about to run
  std::function<void()> onFormClose;     // FormClose has run
  QString configFilePath;                // the settings file; empty: the program's own place
  QString captionNote;                   // after the caption, in every language
  ProgramFiles files;                    // the settings file's name, the default record file
};

// Makes the HID platform; called once the application object exists.
using PlatformFactory = std::function<std::unique_ptr<hid::Platform>()>;

// The program: creates the main window, runs the event loop until the
// window is closed (by the user or by SIGTERM, SIGINT or SIGHUP) and
// returns 0 in every case.
// programPath is the program's argv[0]; the toolkit gets no other argument.
int RunProgram(const char* programPath, const PlatformFactory& makePlatform, const ProgramHooks& hooks = {});

}  // namespace vestrix::app
