// The recorder and the acquisition table at full rate.
//  record_lines_per_second: records made and written, one write call each
//    (nothing left in a user-space buffer), against
//  buffered_lines_per_second: the same lines through a buffered stream.
//  table_bytes_per_row: memory of the acquisition table at one million
//    rows, against standard_item_model_bytes_per_row for the same rows in
//    a QStandardItemModel of texts.
//  table_append_us_at_1m: the time to append one row to a table that
//    already holds a million.
#include "bench_util.h"
#include "protocol/format_fixed.h"
#include "record/recorder.h"
#include "record/ui/acquisition_table_model.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <cstdio>

#include <malloc.h>

using namespace vestrix;

namespace {

// Heap in use, large blocks mapped on their own included.
std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

protocol::MeasurementSample Sample(int i) {
  protocol::MeasurementSample s;
  s.year = 2026;
  s.month = 12;
  s.day = 10;
  s.hour = 8;
  s.minute = static_cast<std::uint8_t>(i / 60 % 60);
  s.second = static_cast<std::uint8_t>(i % 60);
  s.tensValue = 500.0f + static_cast<float>(i % 977) * 0.37f;
  s.counterValue = static_cast<float>(i);
  s.analogValue = 4.5f;
  s.relay1 = static_cast<std::uint8_t>(i & 1);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir dir;
  constexpr int kLines = 200000;

  record::RecordSetup options;
  options.columns = {true, true, true, true, true, true, true, true};
  options.path = dir.filePath("direct.csv");
  record::RecordingState state([] { return record::ClockReading{2026, 12, 10, 8, 30, 5, 7}; }, [] { return 0; });
  state.runChanged(true);
  auto start = bench::Clock::now();
  for (int i = 0; i < kLines; ++i) state.RecordingStep(Sample(i), options);
  double seconds = bench::MicrosSince(start) / 1e6;
  state.runChanged(false);
  bench::Print("record_lines_per_second", kLines / seconds, "lines/s");

  // The baseline: the same lines, built the same way, through stdio's buffer.
  std::FILE* buffered = std::fopen(dir.filePath("buffered.csv").toLocal8Bit().constData(), "ab");
  start = bench::Clock::now();
  for (int i = 0; i < kLines; ++i) {
    const QByteArray line = record::RecordFields(Sample(i), options.columns, {2026, 12, 10, 8, 30, 5, 7}, i, '.');
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), buffered);
  }
  std::fclose(buffered);
  seconds = bench::MicrosSince(start) / 1e6;
  bench::Print("buffered_lines_per_second", kLines / seconds, "lines/s");

  constexpr int kRows = 1000000;
  {
    const std::size_t before = HeapInUse();
    record::AcquisitionTableModel table;
    for (int i = 0; i < kRows; ++i) table.addRow(Sample(i));
    const double perRow = static_cast<double>(HeapInUse() - before) / kRows;
    std::vector<double> appends;
    for (int i = 0; i < 1000; ++i) {
      const auto t = bench::Clock::now();
      table.addRow(Sample(i));
      appends.push_back(bench::MicrosSince(t));
    }
    bench::Print("table_bytes_per_row", perRow, "bytes");
    bench::Print("table_append_us_at_1m", bench::Quantile(appends, 0.5), "us");
    bench::Print("table_append_p99_us_at_1m", bench::Quantile(appends, 0.99), "us");
  }
  {
    const std::size_t before = HeapInUse();
    QStandardItemModel items(0, 7);
    for (int i = 0; i < kRows; ++i) {
      const protocol::MeasurementSample s = Sample(i);
      QList<QStandardItem*> row;
      row << new QStandardItem(QStringLiteral("%1-%2-%3").arg(s.day).arg(s.month).arg(s.year))
          << new QStandardItem(QStringLiteral("%1:%2:%3").arg(s.hour).arg(s.minute).arg(s.second))
          << new QStandardItem(protocol::FormatFixed(s.tensValue, 15, 4, '.'))
          << new QStandardItem(protocol::FormatFixed(s.counterValue, 15, 4, '.'))
          << new QStandardItem(protocol::FormatFixed(s.analogValue, 15, 4, '.'))
          << new QStandardItem(s.relay1 ? QStringLiteral("HIGH") : QStringLiteral("LOW"))
          << new QStandardItem(s.relay2 ? QStringLiteral("HIGH") : QStringLiteral("LOW"));
      items.appendRow(row);
    }
    bench::Print("standard_item_model_bytes_per_row", static_cast<double>(HeapInUse() - before) / kRows, "bytes");
  }
  return 0;
}
