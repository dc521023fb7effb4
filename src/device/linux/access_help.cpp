#include "device/access_help.h"

#include "device/linux/udev_rule.h"

namespace vestrix::device {

AccessHelp AccessHelpFor(const QString& executableFolder) {
  const QString rule = UdevRulePath(executableFolder);
  if (rule.startsWith(QLatin1String("/lib/")) || rule.startsWith(QLatin1String("/usr/"))) {
    return {"IDS_ACCESS", rule,
            "the udev rule " + rule.toStdString() +
                " gives access to the user at the machine's seat: plug the instrument in again and run the program "
                "in a session at that seat (not over SSH), or give your user access to the node"};
  }
  return {"IDS_ACCESS", rule,
          "install the udev rule (sudo cp " + rule.toStdString() +
              " /etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger), then plug the "
              "instrument in again"};
}

}  // namespace vestrix::device
