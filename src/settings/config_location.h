#pragma once

#include <QString>

namespace vestrix::settings {

// The folder the package installs the programs into.
QString InstalledBinFolder();

// Where the settings file (fileName: "config.ini", or the demo's
// "demo.ini") lives, decided once at start: in the executable's folder
// whenever that folder is writable (a copied or unpacked program keeps its
// settings with it); otherwise, the folder created, on Linux
// $XDG_CONFIG_HOME/vestrix-pc/ (~/.config/vestrix-pc/ when the variable is
// unset), on Windows %APPDATA%\vestrix-pc\. An installed program, run from
// installedBinFolder (on Windows: anywhere under Program Files), never
// writes beside itself, whoever runs it: the folder is writable for root
// and administrators.
QString ConfigFilePath(const QString& executableFolder, const QString& fileName,
                       const QString& installedBinFolder = InstalledBinFolder());

}  // namespace vestrix::settings
