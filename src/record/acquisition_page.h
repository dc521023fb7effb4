#pragma once

#include "record/acquisition_table_model.h"

#include <QColor>
#include <QObject>

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace vestrix::record {

class AcquisitionTableView;

// The contents of the "Data acquisition" page: the run's check box, the
// recording status, "show in table" and the acquisition table.
class AcquisitionPage : public QObject {
  Q_OBJECT

 public:
  static inline const QColor kActiveColour{175, 216, 135};
  static inline const QColor kInactiveColour{253, 124, 102};

  // Builds the controls on the given page.
  explicit AcquisitionPage(QWidget* page);

  // "AKTYWNA" in light green while records are being made and stored,
  // else "NIEAKTYWNA" in light red.
  void showStatus(bool active);

  AcquisitionTableModel* Rows = nullptr;

  QGroupBox* GroupBoxDataAcquistion = nullptr;
  QCheckBox* Checkbox_Acquistion = nullptr;
  QLineEdit* AcquisitionStatus = nullptr;
  QCheckBox* Cb_ShowInTab = nullptr;
  QLabel* Label20 = nullptr;
  QLabel* Label53 = nullptr;
  QLabel* Label56 = nullptr;
  QLabel* Label57 = nullptr;
  QLabel* Label58 = nullptr;
  QLabel* Label55 = nullptr;
  QLabel* Label59 = nullptr;
  AcquisitionTableView* DataTable = nullptr;

 private:
  std::optional<bool> shown_;  // the state shown; none before the first refresh
};

}  // namespace vestrix::record
