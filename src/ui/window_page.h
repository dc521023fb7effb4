#pragma once

#include <QChar>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vestrix::ui {

// A control of a page that holds a settings key (named as in the file).
// Exactly one of the three is set.
struct SettingsRow {
  const char* key;
  QCheckBox* box = nullptr;
  QComboBox* list = nullptr;
  QLineEdit* edit = nullptr;
};

// What the main window asks of each of its pages, alike for all: the
// controls whose state the settings file keeps, the decimal separator of
// the numbers it shows and reads, and a new language's texts applied.
class WindowPage {
 public:
  virtual ~WindowPage() = default;
  virtual std::vector<SettingsRow> settingsRows() const { return {}; }
  virtual void setDecimalSeparator(QChar /*separator*/) {}
  virtual void languageChanged() {}
};

}  // namespace vestrix::ui
