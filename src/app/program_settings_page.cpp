#include "app/program_settings_page.h"

#include "i18n/flags.h"
#include "i18n/language_combo.h"
#include "i18n/list_texts.h"
#include "i18n/translation_table.h"
#include "record/ui/recording_group.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>

namespace vestrix::app {

ProgramSettingsPage::ProgramSettingsPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheet5"));
  ui::PlaceLabel(this, "Label46", QStringLiteral("Language:"), 11, 26);
  languageSelector_ = ui::Place<i18n::LanguageCombo>(this, "LangCombo1", 91, 23, 118, 22);
  languageSelector_->addLanguage(i18n::PolishFlag(), QStringLiteral("Polski"), QStringLiteral("Tahoma"));
  languageSelector_->addLanguage(i18n::UnitedKingdomFlag(), QStringLiteral("English"), QStringLiteral("Tahoma"));
  languageSelector_->setCurrentIndex(i18n::kEnglish - 1);
  connect(languageSelector_, &QComboBox::activated, this, &ProgramSettingsPage::languagePicked);

  recordingGroup_ = new record::RecordingGroup(this);
  recordingGroup_->setGeometry(3, 51, 598, 225);

  auto* update = ui::Place<QGroupBox>(this, "GroupBox4", 3, 282, 598, 63);
  update->setTitle(QStringLiteral("Measurement update"));
  ui::PlaceLabel(update, "Label21", QStringLiteral("Period of data update from the device"), 24, 32);
  // Shown as chosen and kept in the settings; polling keeps its 15 ms.
  updatePeriodList_ = ui::Place<QComboBox>(update, "DataTime", 221, 26, 65, 21);
  updatePeriodList_->addItems(i18n::UpdatePeriods());
  updatePeriodList_->setCurrentIndex(0);

  // What these name the program always does: connect by itself.
  auto* connection = ui::Place<QGroupBox>(this, "GroupBox2", 3, 351, 321, 122);
  connection->setTitle(QStringLiteral("Connection"));
  auto* atStart = ui::Place<QCheckBox>(connection, "CheckBox1", 24, 23, 233, 24);
  atStart->setText(QStringLiteral("Connect the device at startup"));
  auto* reconnect = ui::Place<QCheckBox>(connection, "CheckBox2", 24, 47, 193, 24);
  reconnect->setText(QStringLiteral("Auto  reconnects"));
  for (QCheckBox* box : {atStart, reconnect}) {
    box->setChecked(true);
    box->setEnabled(false);
  }
  connection->setVisible(false);

  auto* devices = ui::Place<QGroupBox>(this, "GroupBox12", 330, 351, 271, 122);
  devices->setTitle(QStringLiteral("Active USB HID device"));
  deviceList_ = ui::Place<QListWidget>(devices, "ListBox1", 20, 20, 236, 89);
  devices->setVisible(false);

  // The Charts page is shown only when asked for: the window is as it
  // always was until then.
  showChartsBox_ = ui::Place<QCheckBox>(this, "ShowChartsBox", 27, 360, 300, 17);
  showChartsBox_->setText(QStringLiteral("Show the Charts page"));

  ui::PlaceLabel(this, "Label17", QStringLiteral("NOTE: All changes will take effect after restarting the program."),
                 27, 487);
}

void ProgramSettingsPage::showDevices(const std::vector<device::DeviceLine>& lines) {
  deviceList_->clear();
  for (const device::DeviceLine& line : lines) deviceList_->addItem(line.text);
}

std::vector<ui::SettingsRow> ProgramSettingsPage::settingsRows() const {
  std::vector<ui::SettingsRow> rows = recordingGroup_->settingsRows();
  // Shown as it was chosen; polling keeps its 15 ms.
  rows.push_back({.key = "DataTime", .list = updatePeriodList_});
  rows.push_back({.key = "ShowCharts", .box = showChartsBox_});
  return rows;
}

}  // namespace vestrix::app
