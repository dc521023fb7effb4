#pragma once

#include "protocol/measurement_sample.h"

#include <QAbstractTableModel>
#include <QChar>

#include <cstdint>
#include <vector>

namespace vestrix::record {

// The rows of the acquisition table. A row keeps only the sample's values
// (20 bytes); its texts are made when a cell is painted, so a run that lasts
// a day at full rate costs megabytes, not gigabytes. After a reset the
// table shows one blank row, which the first record fills.
class AcquisitionTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 7;

  struct Row {
    float tens, counter, analog;
    std::uint16_t year;
    std::uint8_t month, day, hour, minute, second;
    std::uint8_t relays;  // bit 0: PK1 high, bit 1: PK2 high
  };

  explicit AcquisitionTableModel(QObject* parent = nullptr);

  void setDecimalSeparator(QChar separator);

  // One blank row.
  void reset();
  // Fills the blank row, or adds one below the last.
  void addRow(const protocol::MeasurementSample& sample);

  std::size_t records() const { return rows_.size(); }
  // The text of a cell as the table shows it.
  QString cellText(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  std::vector<Row> rows_;
  QChar separator_ = QLatin1Char('.');
};

}  // namespace vestrix::record
