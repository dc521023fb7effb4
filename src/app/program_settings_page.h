#pragma once

#include "device/device_discovery.h"
#include "ui/window_page.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QListWidget;

namespace vestrix::i18n {
class LanguageCombo;
}

namespace vestrix::record {
class RecordingGroup;
}

namespace vestrix::app {

// The "Program settings" page: the language selector, the recording
// group, the update period, and two groups that are never shown (the
// connection check boxes, and the list of the devices the program holds).
class ProgramSettingsPage : public QWidget, public ui::WindowPage {
  Q_OBJECT

 public:
  explicit ProgramSettingsPage(QWidget* parent = nullptr);

  i18n::LanguageCombo* languageSelector() const { return languageSelector_; }
  record::RecordingGroup* recordingGroup() const { return recordingGroup_; }
  QComboBox* updatePeriodList() const { return updatePeriodList_; }
  QListWidget* deviceList() const { return deviceList_; }
  QCheckBox* showChartsBox() const { return showChartsBox_; }

  std::vector<ui::SettingsRow> settingsRows() const override;

  // The device list shows the devices the program holds.
  void showDevices(const std::vector<device::DeviceLine>& lines);

 signals:
  // The user picked a language (its position in the selector); the
  // program's own selection is no pick.
  void languagePicked(int position);

 private:
  i18n::LanguageCombo* languageSelector_;
  record::RecordingGroup* recordingGroup_;
  QComboBox* updatePeriodList_;
  QListWidget* deviceList_;
  QCheckBox* showChartsBox_;
};

}  // namespace vestrix::app
