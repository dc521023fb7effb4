#pragma once

#include "settings/ini_file.h"

#include <QString>

namespace vestrix::app {

class TFMain;

// The settings file into the window's controls, key by key in the file's
// order (a "Language" the table lacks stops the load there, with the error).
void LoadSettings(TFMain& window, const settings::IniFile& file);
// The controls back into the file, in the same order; the keys written
// when the user picks them are left out. Stops at the first key the file
// refuses, with the error.
void SaveSettings(const TFMain& window, settings::IniFile& file);
// The record file the user picked, kept at once; a settings file that
// cannot be written only loses the memory of it.
void RememberRecordFile(const QString& settingsPath, const QString& recordPath);

}  // namespace vestrix::app
