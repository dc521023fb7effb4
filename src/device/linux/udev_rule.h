#pragma once

#include <QString>

namespace vestrix::device {

// Where the user finds the udev rule that gives the user at the seat access
// to the instrument: the installed rule beside an installed program
// (<prefix>/lib/udev/rules.d), otherwise the file in the source tree the
// program was built from.
QString UdevRulePath(const QString& executableFolder);

}  // namespace vestrix::device
