#pragma once

#include "chart/capture_results_model.h"
#include "ui/window_page.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace vestrix::ui {
class NumberEdit;
}

namespace vestrix::chart {

// The controls of the test capture under the plot: the box that arms it,
// its rules in boxes of their own, Clear and Export, the results table and
// the batch line. It holds no tests: the Charts page feeds it.
class CapturePanel : public QWidget {
  Q_OBJECT

 public:
  // The rule boxes, in order.
  enum Field { Start, End, Break, Longest, Before, After, Lower, Upper };
  static constexpr int kFields = 8;

  explicit CapturePanel(QWidget* parent = nullptr);

  QCheckBox* armBox() const { return armBox_; }
  // Tension or compression.
  QComboBox* directionList() const { return directionList_; }
  ui::NumberEdit* box(Field field) const { return boxes_[field]; }
  QPushButton* clearButton() const { return clearButton_; }
  QPushButton* exportButton() const { return exportButton_; }
  QTableView* table() const { return table_; }
  QLabel* batchLabel() const { return batchLabel_; }
  CaptureResultsModel* results() const { return results_; }
  QLabel* label(Field field) const { return labels_[field]; }
  // Its controls whose state the settings file keeps: the box that arms it,
  // the direction and the rules' boxes (named as their keys).
  std::vector<ui::SettingsRow> settingsRows() const;

  // The unit of the levels and limits, after their captions ("[N]"); ""
  // for none. Call again after the captions were translated.
  void setValueUnit(const QString& unit);

  // The rules the boxes give in the direction chosen, read in the user's
  // decimal separator. A box
  // that holds nothing its rule can use turns light red, and that rule
  // keeps its value from `current`.
  capture::CaptureSettings rules(const capture::CaptureSettings& current, QChar separator) const;
  // The results table's columns as wide as their numbers and headings need.
  void fitColumns();

 signals:
  // A box was left after an edit, or the capture armed or disarmed.
  void rulesEdited();
  // A click on a test's row.
  void testChosen(int row);

 private:
  QCheckBox* armBox_;
  QComboBox* directionList_;
  std::array<ui::NumberEdit*, kFields> boxes_{};
  std::array<QLabel*, kFields> labels_{};
  QString unitSuffix_;  // as it stands after the captions
  QPushButton* clearButton_;
  QPushButton* exportButton_;
  QTableView* table_;
  QLabel* batchLabel_;
  CaptureResultsModel* results_;
};

}  // namespace vestrix::chart
