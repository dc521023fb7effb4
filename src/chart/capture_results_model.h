#pragma once

#include "capture/force_test_capture.h"
#include "capture/results_file.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

namespace vestrix::chart {

// The captured tests as the results table shows them: a row a test, the
// newest at the bottom, the verdict in green or red.
class CaptureResultsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 10;
  static inline const QColor kPass{175, 216, 135};
  static inline const QColor kFail{253, 124, 102};

  explicit CaptureResultsModel(QObject* parent = nullptr);

  // Shows these tests (the capture keeps them; the model only reads); the
  // same tests again: only what was added, or all anew when they were
  // cleared.
  void showTests(const std::vector<capture::CapturedTest>* tests, capture::ClockBase clock);
  void setDecimalSeparator(QChar separator);
  // The column headings and the words of the ends, in the active language.
  void setTexts(const QStringList& headings, const QStringList& ends);
  // The unit of the values (the peak, the lowest, the mean, the deviation)
  // after their headings; "" for none.
  void setValueUnit(const QString& unit);

  QString cellText(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const std::vector<capture::CapturedTest>* tests_ = nullptr;
  int shown_ = 0;
  capture::ClockBase clock_;
  QChar separator_ = QLatin1Char('.');
  QStringList headings_;
  QString unit_;
  QStringList ends_;
};

}  // namespace vestrix::chart
