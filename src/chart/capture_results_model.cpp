#include "chart/capture_results_model.h"

#include "clock/local_clock.h"
#include "protocol/format_fixed.h"

#include <QColor>

namespace vestrix::chart {

CaptureResultsModel::CaptureResultsModel(QObject* parent) : QAbstractTableModel(parent) {
  setTexts({"No.", "Start", "Duration [s]", "Peak", "Verdict", "Lowest", "Mean", "Std. dev.", "Samples", "End"},
           {"end level", "break", "longest", "interrupted"});
}

void CaptureResultsModel::showTests(const std::vector<capture::CapturedTest>* tests, capture::ClockBase clock) {
  const int now = tests != nullptr ? static_cast<int>(tests->size()) : 0;
  if (tests != tests_ || clock.wallOffsetMs != clock_.wallOffsetMs || clock.elapsed != clock_.elapsed || now < shown_) {
    beginResetModel();
    tests_ = tests;
    clock_ = clock;
    shown_ = now;
    endResetModel();
  } else if (now > shown_) {
    // Added at the bottom: the rows above, and what is chosen, stay.
    beginInsertRows({}, shown_, now - 1);
    shown_ = now;
    endInsertRows();
  }
}

void CaptureResultsModel::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  if (shown_ > 0) emit dataChanged(index(0, 0), index(shown_ - 1, kColumns - 1));
}

void CaptureResultsModel::setTexts(const QStringList& headings, const QStringList& ends) {
  headings_ = headings;
  ends_ = ends;
  emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
  if (shown_ > 0) emit dataChanged(index(0, 0), index(shown_ - 1, kColumns - 1));
}

void CaptureResultsModel::setValueUnit(const QString& unit) {
  if (unit == unit_) return;
  unit_ = unit;
  emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

QString CaptureResultsModel::cellText(int row, int column) const {
  if (tests_ == nullptr || row < 0 || row >= shown_) return {};
  const capture::CapturedTest& t = (*tests_)[static_cast<std::size_t>(row)];
  const auto value = [&](double v) { return protocol::FormatFixed(v, 15, 4, separator_); };
  switch (column) {
    case 0: return QString::number(t.number);
    case 1: {
      if (clock_.elapsed) return protocol::FormatFixed(t.startMs / 1000.0, 15, 3, separator_);
      const clock::ClockReading c = clock::LocalClockAt(t.startMs + clock_.wallOffsetMs);
      return QStringLiteral("%1:%2:%3")
          .arg(c.hour)
          .arg(c.minute, 2, 10, QLatin1Char('0'))
          .arg(c.second, 2, 10, QLatin1Char('0'));
    }
    case 2: return protocol::FormatFixed(t.durationSeconds(), 15, 3, separator_);
    case 3: return value(t.peak);
    case 4: return QString::fromLatin1(capture::VerdictText(t.verdict));
    case 5: return value(t.lowest);
    case 6: return value(t.mean);
    case 7: return value(t.deviation);
    case 8: return QString::number(t.samples);
    case 9: {
      const QString end = ends_.value(static_cast<int>(t.end));
      if (t.end != capture::EndReason::Break) return end;
      return end + QStringLiteral(" %1%").arg(protocol::FormatFixed(t.breakDropPercent, 15, 0, separator_));
    }
    default: return {};
  }
}

int CaptureResultsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int CaptureResultsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant CaptureResultsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return cellText(index.row(), index.column());
  if (role == Qt::BackgroundRole && index.column() == 4 && tests_ != nullptr) {
    switch ((*tests_)[static_cast<std::size_t>(index.row())].verdict) {
      case capture::Verdict::Pass: return kPass;
      case capture::Verdict::Fail: return kFail;
      case capture::Verdict::None: return {};
    }
  }
  if (role == Qt::TextAlignmentRole && index.column() != 9) return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant CaptureResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  // The peak, the lowest value, the mean and the deviation are values of the input.
  const bool inUnit = section == 3 || (section >= 5 && section <= 7);
  return inUnit && !unit_.isEmpty() ? QStringLiteral("%1 [%2]").arg(headings_.value(section), unit_)
                                    : headings_.value(section);
}

}  // namespace vestrix::chart
