#pragma once

#include <QTableView>
#include <QTimer>

namespace vestrix::record {

// The acquisition table's view. A table view repaints all its visible
// cells whenever a row is added, even far below what it shows: at 66 rows
// a second that is a core's third. This one takes the rows added in a
// quarter of a second together, updates its scroll bar once for them, and
// repaints only the rows among them that are in sight.
class AcquisitionTableView : public QTableView {
  Q_OBJECT

 public:
  static constexpr int kRefreshMs = 250;

  explicit AcquisitionTableView(QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model) override;

  // Shows what was added so far at once (tests, and before a grab).
  void refreshNow();

 private:
  void rowsAdded(int first, int last);

  QTimer refresh_;
  int firstPending_ = -1;
  int lastPending_ = -1;
};

}  // namespace vestrix::record
