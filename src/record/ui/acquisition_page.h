#pragma once

#include "record/ui/acquisition_table_model.h"
#include "ui/window_page.h"

#include <QColor>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLineEdit;

namespace vestrix::record {

class AcquisitionTableView;

// The "Data acquisition" page: the run's check box, the recording status,
// "show in table" and the acquisition table.
class AcquisitionPage : public QWidget, public ui::WindowPage {
  Q_OBJECT

 public:
  static inline const QColor kActiveColour{175, 216, 135};
  static inline const QColor kInactiveColour{253, 124, 102};

  explicit AcquisitionPage(QWidget* parent = nullptr);

  // "AKTYWNA" in light green while records are being made and stored,
  // else "NIEAKTYWNA" in light red.
  void showStatus(bool active);

  QCheckBox* runBox() const { return runBox_; }
  QLineEdit* statusField() const { return statusField_; }
  QCheckBox* showInTableBox() const { return showInTableBox_; }
  AcquisitionTableModel* rows() const { return rows_; }
  AcquisitionTableView* tableView() const { return tableView_; }

  // The run's state is kept (its click handler runs when loading changes it).
  std::vector<ui::SettingsRow> settingsRows() const override {
    return {{.key = "Checkbox_DataAcquistion", .box = runBox_}};
  }
  void setDecimalSeparator(QChar separator) override { rows_->setDecimalSeparator(separator); }

 signals:
  // The run's check box changed, by the user or the program.
  void runToggled();

 private:
  QCheckBox* runBox_;
  QLineEdit* statusField_;
  QCheckBox* showInTableBox_;
  AcquisitionTableModel* rows_;
  AcquisitionTableView* tableView_;
  std::optional<bool> shown_;  // the state shown; none before the first refresh
};

}  // namespace vestrix::record
