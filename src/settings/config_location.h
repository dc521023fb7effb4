#pragma once

#include <QString>

namespace vestrix::settings {

// Where the settings file lives, decided once at start: "config.ini" in
// the executable's folder whenever that folder is writable (a copied or
// unpacked program keeps its settings with it); otherwise, as for an
// installed program, $XDG_CONFIG_HOME/vestrix-pc/config.ini
// (~/.config/vestrix-pc/config.ini when the variable is unset), its folder
// created.
QString ConfigFilePath(const QString& executableFolder);

}  // namespace vestrix::settings
