#pragma once

#include <QString>

namespace vestrix::files {

// A path as a save dialog leaves it: the extension (".csv") appended unless
// the name already ends in exactly that. Only a dot after the last folder
// separator ("/", "\" or ":") starts an extension.
QString WithExtension(const QString& chosen, const QString& extension);

}  // namespace vestrix::files
