#include "chart/review_loader.h"

#include <QDateTime>
#include <QTime>

namespace vestrix::chart {

ReviewLoader::ReviewLoader(SampleHistory& history, std::int64_t periodMs)
    : history_(history), periodMs_(std::max<std::int64_t>(periodMs, 1)) {}

void ReviewLoader::runStarted(const record::ColumnChoice& columns) {
  for (int k = 0; k < record::kValueColumns; ++k) {
    if (columns[static_cast<int>(record::kValueColumn[k])]) present_[static_cast<std::size_t>(k)] = true;
  }
  newRun_ = true;
  recordInRun_ = 0;
  // A run without clock columns follows the one before, a period later.
  runStart_ = history_.empty() ? 0 : lastTime_ + periodMs_;
}

std::int64_t ReviewLoader::wallTime(const record::ClockReading& c) {
  // Local midnight once per day, not a zone lookup per record.
  const QDate date(c.year, c.month, c.day);
  if (date != midnightDate_) {
    midnightDate_ = date;
    midnightMs_ = QDateTime(date, QTime(0, 0)).toMSecsSinceEpoch();
  }
  return midnightMs_ + ((std::int64_t{c.hour} * 60 + c.minute) * 60 + c.second) * 1000 + c.millisecond;
}

void ReviewLoader::recordRead(const record::ReadRecord& r) {
  std::int64_t time;
  if (r.clock && QDate(r.clock->year, r.clock->month, r.clock->day).isValid()) {
    time = wallTime(*r.clock);
    wallClock_ = true;
  } else {
    time = runStart_ + (r.number ? *r.number : recordInRun_) * periodMs_;
  }
  ++recordInRun_;
  history_.append(time, r.values.data(), newRun_ && !history_.empty());
  newRun_ = false;
  lastTime_ = history_.time(history_.size() - 1);
}

}  // namespace vestrix::chart
