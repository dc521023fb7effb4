#include "app/window_settings.h"

#include "app/main_window.h"
#include "chart/charts_page.h"
#include "i18n/translator.h"
#include "settings/settings_keys.h"
#include "ui/window_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <cstring>

namespace vestrix::app {

namespace {

using settings::Key;
using settings::Value;

// A stored list position; one outside the list selects nothing.
void SelectStored(QComboBox* list, int position) {
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

// The control of a page that holds the key; none for the window's own values.
ui::SettingsRow ControlOf(const TFMain& window, const settings::KeySpec& spec) {
  for (const ui::WindowPage* page : window.pages()) {
    for (const ui::SettingsRow& row : page->settingsRows()) {
      if (std::strcmp(row.key, spec.name) == 0) return row;
    }
  }
  return {spec.name};
}

// The Charts page's series shown, a bit each.
int SeriesShown(const TFMain& window) {
  int bits = 0;
  for (int k = 0; k < chart::kSeriesKinds; ++k) {
    if (window.TabSheet2->seriesBox(static_cast<chart::SeriesKind>(k))->isChecked()) bits |= 1 << k;
  }
  return bits;
}

void ShowSeries(TFMain& window, int bits) {
  for (int k = 0; k < chart::kSeriesKinds; ++k) {
    window.TabSheet2->seriesBox(static_cast<chart::SeriesKind>(k))->setChecked((bits & (1 << k)) != 0);
  }
}

// A history between a thousand samples and fifty million (1.25 GB).
std::size_t Capacity(int samples) { return static_cast<std::size_t>(std::clamp(samples, 1000, 50000000)); }

// A number the user types: in the file with a point, in its box with the
// user's decimal separator.
QString InFile(const QString& typed, QChar separator) { return QString(typed).replace(separator, QLatin1Char('.')); }
QString InBox(const QString& stored, QChar separator) { return QString(stored).replace(QLatin1Char('.'), separator); }

Value Get(const TFMain& window, Key key) {
  const ui::SettingsRow control = ControlOf(window, settings::Spec(key));
  if (control.box != nullptr) return control.box->isChecked();
  if (control.list != nullptr) return control.list->currentIndex();
  if (control.edit != nullptr && settings::Spec(key).kind == settings::Kind::Number) {
    return InFile(control.edit->text(), window.separator());
  }
  if (control.edit != nullptr) return control.edit->text();
  if (key == Key::ScreenLeft) return window.x();
  if (key == Key::ScreenTop) return window.y();
  if (key == Key::Language) return window.Translator1->ActiveLanguage();
  if (key == Key::ChartSamples) return static_cast<int>(window.TabSheet2->capacity());
  if (key == Key::ChartSeries) return SeriesShown(window);
  return settings::Spec(key).defaultValue;
}

void Set(TFMain& window, Key key, const Value& value) {
  const ui::SettingsRow control = ControlOf(window, settings::Spec(key));
  if (control.box != nullptr) {
    control.box->setChecked(std::get<bool>(value));
  } else if (control.list != nullptr) {
    SelectStored(control.list, std::get<int>(value));
  } else if (control.edit != nullptr && settings::Spec(key).kind == settings::Kind::Number) {
    control.edit->setText(InBox(std::get<QString>(value), window.separator()));
  } else if (control.edit != nullptr) {
    control.edit->setText(std::get<QString>(value));
  } else if (key == Key::ScreenLeft) {
    window.move(std::get<int>(value), window.y());
  } else if (key == Key::ScreenTop) {
    window.move(window.x(), std::get<int>(value));
  } else if (key == Key::Language) {
    window.Translator1->setActiveLanguage(std::get<int>(value));
  } else if (key == Key::ChartSamples) {
    window.TabSheet2->setCapacity(Capacity(std::get<int>(value)));
  } else if (key == Key::ChartSeries) {
    ShowSeries(window, std::get<int>(value));
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
  // What the boxes now hold takes effect.
  window.TabSheet2->applyValueAxis();
  window.TabSheet2->applyCaptureRules();
}

void SaveSettings(const TFMain& window, settings::IniFile& file) {
  for (const settings::KeySpec& spec : settings::Keys()) settings::WriteAtClose(file, spec, Get(window, spec.key));
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
