#include "record/ui/acquisition_table_model.h"

#include "measure/quantity_table.h"

namespace vestrix::record {

static_assert(sizeof(AcquisitionTableModel::Row) == 20, "a table row stays compact");

AcquisitionTableModel::AcquisitionTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void AcquisitionTableModel::setDecimalSeparator(QChar separator) {
  if (separator == separator_) return;
  separator_ = separator;
  if (!rows_.empty()) emit dataChanged(index(0, 2), index(rowCount() - 1, 4));
}

void AcquisitionTableModel::reset() {
  beginResetModel();
  rows_.clear();
  rows_.shrink_to_fit();  // a day-long run's memory goes back with it
  endResetModel();
}

void AcquisitionTableModel::addRow(const protocol::MeasurementSample& s) {
  const Row row{s.tensValue,   s.counterValue,
                s.analogValue, s.year,
                s.month,       s.day,
                s.hour,        s.minute,
                s.second,      static_cast<std::uint8_t>((s.relay1 != 0 ? 1 : 0) | (s.relay2 != 0 ? 2 : 0))};
  if (rows_.empty()) {
    rows_.push_back(row);  // the blank row 0 is filled
    emit dataChanged(index(0, 0), index(0, kColumns - 1));
    return;
  }
  const int at = static_cast<int>(rows_.size());
  beginInsertRows({}, at, at);
  rows_.push_back(row);
  endInsertRows();
}

QString AcquisitionTableModel::cellText(int row, int column) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return {};
  const Row& r = rows_[static_cast<std::size_t>(row)];
  switch (column) {
    case 0: return measure::DateText(r.day, r.month, r.year);
    case 1: return measure::TimeText(r.hour, r.minute, r.second);
    case 2: return measure::ValueText(r.tens, separator_);
    case 3: return measure::ValueText(r.counter, separator_);
    case 4: return measure::ValueText(r.analog, separator_);
    case 5: return measure::RelayText((r.relays & 1) != 0);
    case 6: return measure::RelayText((r.relays & 2) != 0);
    default: return {};
  }
}

int AcquisitionTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return rows_.empty() ? 1 : static_cast<int>(rows_.size());
}

int AcquisitionTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant AcquisitionTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return cellText(index.row(), index.column());
}

Qt::ItemFlags AcquisitionTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace vestrix::record
