#pragma once

#include "record/record_line.h"

#include <QGroupBox>

#include <array>

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
  void setColumns(const ColumnChoice& columns);

  QLineEdit* fileEdit() const { return fileEdit_; }
  QPushButton* fileButton() const { return fileButton_; }
  QComboBox* periodList() const { return periodList_; }
  // The eight column boxes in file order.
  const std::array<QCheckBox*, kColumnCount>& columnBoxes() const { return columnBoxes_; }
  QCheckBox* autoStartBox() const { return autoStartBox_; }

 private:
  QLineEdit* fileEdit_;
  QPushButton* fileButton_;
  QComboBox* periodList_;
  std::array<QCheckBox*, kColumnCount> columnBoxes_;
  QCheckBox* autoStartBox_;
};

// The save dialog of the record file: the chosen path, empty when
// cancelled. Records are appended to a file that exists, so it does not
// ask whether to replace one.
QString AskRecordFile(QWidget* parent);

// A path as a save dialog leaves it: the extension (".csv") appended unless
// the name already ends in exactly that. Only a dot after the last folder
// separator ("/", "\" or ":") starts an extension.
QString WithExtension(const QString& chosen, const QString& extension);
// The record file's rule.
inline QString WithCsvExtension(const QString& chosen) { return WithExtension(chosen, QStringLiteral(".csv")); }

}  // namespace vestrix::record
