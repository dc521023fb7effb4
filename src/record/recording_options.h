#pragma once

#include "record/record_line.h"

#include <QObject>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vestrix::record {

// The contents of the "Measurement recording" group of the program
// settings: the record file, the period of record, the columns and
// "start recording at startup".
class RecordingOptions : public QObject {
  Q_OBJECT

 public:
  // Builds the controls in the given group box.
  explicit RecordingOptions(QGroupBox* group);

  // The ticked columns, in file order.
  ColumnChoice columns() const;

  QLabel* Label19 = nullptr;
  QLineEdit* Edit_FileName = nullptr;
  QPushButton* Button_SaveFilePath = nullptr;
  QLabel* Label18 = nullptr;
  QComboBox* ComboBox_AcquistionTime = nullptr;
  QGroupBox* Label_DataAcqParam = nullptr;
  QCheckBox* Checkbox_SaveDate = nullptr;
  QCheckBox* Checkbox_SaveTime = nullptr;
  QCheckBox* Checkbox_SaveDataCnt = nullptr;
  QCheckBox* Cb_SaveDataTens = nullptr;
  QCheckBox* Cb_SaveDataCnt = nullptr;
  QCheckBox* Cb_SaveDataAnalog = nullptr;
  QCheckBox* Cb_SaveDataOut1 = nullptr;
  QCheckBox* Cb_SaveDataOut2 = nullptr;
  QCheckBox* AutoSave = nullptr;

  // The eight column boxes in file order.
  std::array<QCheckBox*, kColumnCount> columnBoxes() const;
};

// The record path as the save dialog leaves it: ".csv" appended unless the
// name already ends in exactly ".csv". Only a dot after the last folder
// separator ("/", "\" or ":") starts an extension.
QString WithCsvExtension(const QString& chosen);

}  // namespace vestrix::record
