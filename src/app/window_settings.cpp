#include "app/window_settings.h"

#include "app/main_window.h"
#include "app/program_settings_page.h"
#include "i18n/translator.h"
#include "record/acquisition_page.h"
#include "record/recording_group.h"
#include "settings/settings_keys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace vestrix::app {

namespace {

using settings::Key;
using settings::Value;

// A stored list position; one outside the list selects nothing.
void SelectStored(QComboBox* list, int position) {
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

QCheckBox* ColumnBox(const TFMain& window, Key key) {
  const int column = static_cast<int>(key) - static_cast<int>(Key::SaveDate);
  return window.TabSheet5->recordingGroup()->columnBoxes()[static_cast<std::size_t>(column)];
}

// The control or value each key belongs to.
Value Get(const TFMain& window, Key key) {
  const record::RecordingGroup& recording = *window.TabSheet5->recordingGroup();
  switch (key) {
    case Key::AcquisitionRunning: return window.TabSheet3->runBox()->isChecked();
    case Key::RecordPeriod: return recording.periodList()->currentIndex();
    case Key::RecordFile: return recording.fileEdit()->text();
    case Key::SaveDate:
    case Key::SaveTime:
    case Key::SaveNumber:
    case Key::SaveTens:
    case Key::SaveCounter:
    case Key::SaveAnalog:
    case Key::SaveOut1:
    case Key::SaveOut2: return ColumnBox(window, key)->isChecked();
    case Key::AutoStart: return recording.autoStartBox()->isChecked();
    case Key::ScreenLeft: return window.x();
    case Key::ScreenTop: return window.y();
    case Key::UpdatePeriod: return window.TabSheet5->updatePeriodList()->currentIndex();
    case Key::Language: return window.Translator1->ActiveLanguage();
  }
  return {};
}

void Set(TFMain& window, Key key, const Value& value) {
  record::RecordingGroup& recording = *window.TabSheet5->recordingGroup();
  switch (key) {
    // Its click handler runs when this changes the state.
    case Key::AcquisitionRunning: window.TabSheet3->runBox()->setChecked(std::get<bool>(value)); break;
    case Key::RecordPeriod: SelectStored(recording.periodList(), std::get<int>(value)); break;
    case Key::RecordFile: recording.fileEdit()->setText(std::get<QString>(value)); break;
    case Key::SaveDate:
    case Key::SaveTime:
    case Key::SaveNumber:
    case Key::SaveTens:
    case Key::SaveCounter:
    case Key::SaveAnalog:
    case Key::SaveOut1:
    case Key::SaveOut2: ColumnBox(window, key)->setChecked(std::get<bool>(value)); break;
    case Key::AutoStart: recording.autoStartBox()->setChecked(std::get<bool>(value)); break;
    case Key::ScreenLeft: window.move(std::get<int>(value), window.y()); break;
    case Key::ScreenTop: window.move(window.x(), std::get<int>(value)); break;
    // Shown as it was chosen; polling keeps its 15 ms.
    case Key::UpdatePeriod: SelectStored(window.TabSheet5->updatePeriodList(), std::get<int>(value)); break;
    case Key::Language: window.Translator1->setActiveLanguage(std::get<int>(value)); break;
  }
}

}  // namespace

void LoadSettings(TFMain& window, const settings::IniFile& file) {
  for (settings::KeySpec spec : settings::Keys()) {
    // The demo keeps its made-up records apart by a default of its own.
    if (spec.key == Key::RecordFile && !window.files().defaultRecordFile.isEmpty()) {
      spec.defaultValue = window.files().defaultRecordFile;
    }
    Set(window, spec.key, settings::Read(file, spec));
  }
}

void SaveSettings(const TFMain& window, settings::IniFile& file) {
  for (const settings::KeySpec& spec : settings::Keys()) {
    if (spec.written == settings::Written::AtClose) settings::Write(file, spec, Get(window, spec.key));
  }
}

void RememberRecordFile(const QString& settingsPath, const QString& recordPath) {
  try {
    settings::IniFile file(settingsPath);
    settings::Write(file, settings::Spec(Key::RecordFile), recordPath);
  } catch (const settings::SettingsError&) {
    // The path holds for this run all the same; only remembering it failed.
  }
}

}  // namespace vestrix::app
