#include "device/access_help.h"

namespace vestrix::device {

// Windows gives every user a HID device that nobody opened for itself: no
// rule to install, but another program to close, or a device to plug in
// again.
AccessHelp AccessHelpFor(const QString&) {
  return {"IDS_ACCESS_WINDOWS",
          {},
          "Windows refused it: close the program that opened it for itself (another instrument program), "
          "or unplug the instrument and plug it in again"};
}

}  // namespace vestrix::device
