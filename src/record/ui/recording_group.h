#pragma once

#include "record/record_line.h"
#include "ui/save_file_dialog.h"
#include "ui/window_page.h"

#include <QGroupBox>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vestrix::record {

// The "Measurement recording" group of the Program settings page: the
// record file, the period of record, the columns and "start recording at
// startup".
class RecordingGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit RecordingGroup(QWidget* parent = nullptr);

  // The ticked columns, in file order.
  ColumnChoice columns() const;

  QLineEdit* fileEdit() const { return fileEdit_; }
  QPushButton* fileButton() const { return fileButton_; }
  QComboBox* periodList() const { return periodList_; }
  // The eight column boxes in file order.
  const std::array<QCheckBox*, kColumnCount>& columnBoxes() const { return columnBoxes_; }
  QCheckBox* autoStartBox() const { return autoStartBox_; }
  // Its controls whose state the settings file keeps.
  std::vector<ui::SettingsRow> settingsRows() const;

 private:
  QLineEdit* fileEdit_;
  QPushButton* fileButton_;
  QComboBox* periodList_;
  std::array<QCheckBox*, kColumnCount> columnBoxes_;
  QCheckBox* autoStartBox_;
};

// The save dialog of the record file, titled and opened in the folder of
// the current one: the chosen path, empty when cancelled. Records are
// appended to a file that exists, so it does not ask whether to replace one.
QString AskRecordFile(QWidget* parent, const QString& title, const QString& current);

}  // namespace vestrix::record
