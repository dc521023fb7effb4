#include "record/ui/acquisition_table_view.h"

#include <QHeaderView>

#include <algorithm>

namespace vestrix::record {

AcquisitionTableView::AcquisitionTableView(QWidget* parent) : QTableView(parent) {
  // The row header tells the view of every new row, and the view answers
  // with a full repaint: the rows are looked after here instead. All rows
  // have one fixed height, so nothing else of the header's news matters.
  verticalHeader()->blockSignals(true);
  refresh_.setSingleShot(true);
  refresh_.setInterval(kRefreshMs);
  connect(&refresh_, &QTimer::timeout, this, &AcquisitionTableView::refreshNow);
}

void AcquisitionTableView::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  if (model == nullptr) return;
  connect(model, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { rowsAdded(first, last); });
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    firstPending_ = lastPending_ = -1;
    updateGeometries();
    viewport()->update();
  });
}

void AcquisitionTableView::rowsAdded(int first, int last) {
  firstPending_ = firstPending_ < 0 ? first : std::min(firstPending_, first);
  lastPending_ = std::max(lastPending_, last);
  if (!refresh_.isActive()) refresh_.start();
}

void AcquisitionTableView::refreshNow() {
  refresh_.stop();
  if (firstPending_ < 0) return;
  updateGeometries();
  const int top = rowViewportPosition(firstPending_);
  if (top >= 0 && top < viewport()->height()) {
    viewport()->update(
        QRect(0, top, viewport()->width(), (lastPending_ - firstPending_ + 1) * rowHeight(firstPending_)));
  }
  firstPending_ = lastPending_ = -1;
}

}  // namespace vestrix::record
