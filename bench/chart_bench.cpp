// The Charts page's costs, each beside a plain baseline in the same run:
//  redraw_*: one paint of a 1000 x 400 plot with 10 k, 100 k and 1 M
//    samples in view (decimated through the block summaries); baseline: the
//    same columns made by reading every sample.
//  append_*: keeping one sample in the history; baseline: pushing the same
//    sample onto a plain vector of structs.
//  live_column_*: bringing the live view's columns up to date for one
//    sample; baseline: decimating the live view anew for it.
//  bytes_per_sample: what the history holds a sample in; baseline: a plain
//    struct of a 64-bit time and five floats.
//  review_load_*: reading a 100 MB record file into the chart; baseline:
//    reading the same file's bytes alone.
//  capture_*: the test capture's cost for one sample of the demo's pull
//    tests; baseline: the running statistics alone.
#include "bench_util.h"
#include "capture/force_test_capture.h"
#include "chart/decimation.h"
#include "chart/plot_view.h"
#include "chart/review_loader.h"
#include "chart/sample_history.h"
#include "record/record_line.h"
#include "record/record_reader.h"
#include "simulated_instrument/instrument_model.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

using namespace vestrix;

namespace {

// A pull test's worth of signal every 2000 samples, 15 ms apart.
void Fill(chart::SampleHistory& h, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const float phase = static_cast<float>(i % 2000) / 2000.0f;
    const float v[5] = {1000 * phase * (1 - phase), static_cast<float>(i), 5.0f, 0, 300};
    h.append(static_cast<std::int64_t>(i) * 15, v);
  }
}

// Every sample folded into its column: what the block summaries save.
chart::Decimated EverySample(const chart::SampleHistory& h, const chart::ColumnMapping& m) {
  chart::Decimated out;
  out.columns.resize(static_cast<std::size_t>(m.width));
  for (std::size_t i = h.lowerBound(m.startOf(m.first)); i < h.size(); ++i) {
    const std::int64_t c = m.columnOf(h.time(i)) - m.first;
    if (c >= m.width) break;
    chart::Fold(out.columns[static_cast<std::size_t>(c)], h.value(0, i), h.breaks(0, i));
  }
  return out;
}

template <class F>
double MedianMs(int runs, F&& f) {
  std::vector<double> ms;
  for (int r = 0; r < runs; ++r) {
    const auto start = bench::Clock::now();
    f();
    ms.push_back(bench::MicrosSince(start) / 1000.0);
  }
  return bench::Quantile(ms, 0.5);
}

void Redraw() {
  for (const std::size_t n : {std::size_t{10000}, std::size_t{100000}, std::size_t{1000000}}) {
    chart::SampleHistory h(5, n);
    Fill(h, n);
    chart::PlotView plot;
    plot.resize(1000, 400);
    plot.setSeriesColour(0, Qt::darkGreen);
    plot.setSeriesVisible(0, true);
    plot.setHistory(&h, {});
    plot.showRange(h.time(0), h.time(n - 1) + 1);
    QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
    plot.render(&image);  // warm
    const std::string k = n >= 1000000 ? "1m" : std::to_string(n / 1000) + "k";
    bench::Print("redraw_" + k + "_samples_ms", MedianMs(15, [&] { plot.render(&image); }), "ms");
    const chart::ColumnMapping m{h.time(0), h.time(n - 1) + 1 - h.time(0), plot.plotRect().width(), 0};
    volatile float sink = 0;
    bench::Print("decimate_" + k + "_samples_ms", MedianMs(15, [&] { sink = chart::Decimate(h, 0, m).columns[0].max; }),
                 "ms");
    bench::Print("decimate_" + k + "_samples_every_sample_baseline_ms",
                 MedianMs(15, [&] { sink = EverySample(h, m).columns[0].max; }), "ms");
  }
}

void Append() {
  const std::size_t n = 10000000;
  chart::SampleHistory h(5, 1000000);  // the ring comes round ten times
  const float v[5] = {1, 2, 3, 4, 5};
  auto start = bench::Clock::now();
  for (std::size_t i = 0; i < n; ++i) h.append(static_cast<std::int64_t>(i) * 15, v);
  bench::Print("append_ns_per_sample", bench::MicrosSince(start) * 1000 / n, "ns");
  struct Plain {
    std::int64_t time;
    float values[5];
  };
  std::vector<Plain> plain;
  plain.reserve(1000000);
  start = bench::Clock::now();
  for (std::size_t i = 0; i < n; ++i) {
    if (plain.size() == 1000000) plain.clear();
    plain.push_back({static_cast<std::int64_t>(i) * 15, {v[0], v[1], v[2], v[3], v[4]}});
  }
  bench::Print("append_plain_vector_baseline_ns_per_sample", bench::MicrosSince(start) * 1000 / n, "ns");
  bench::Print("bytes_per_sample", h.bytesPerSample(), "bytes");
  bench::Print("bytes_per_sample_plain_struct_baseline", sizeof(Plain), "bytes");
}

void LiveColumns() {
  chart::SampleHistory h(5, 1000000);
  Fill(h, 1000);
  chart::LiveColumns live;
  live.reset(h, 10000, 1000, 1);
  const float v[5] = {1, 2, 3, 4, 5};
  const int n = 200000;
  std::int64_t t = h.time(h.size() - 1);
  auto start = bench::Clock::now();
  for (int i = 0; i < n; ++i) {
    h.append(t += 15, v);
    live.append(h);
  }
  bench::Print("live_column_update_ns_per_sample", bench::MicrosSince(start) * 1000 / n, "ns");
  const int m = 2000;
  start = bench::Clock::now();
  for (int i = 0; i < m; ++i) {
    h.append(t += 15, v);
    live.reset(h, 10000, 1000, 1);
  }
  bench::Print("live_column_decimate_anew_baseline_ns_per_sample", bench::MicrosSince(start) * 1000 / m, "ns");
}

void ReviewLoad() {
  QTemporaryDir dir;
  const QString path = dir.filePath("big.csv");
  {
    FILE* f = std::fopen(path.toLocal8Bit().constData(), "wb");
    std::fputs("Date;Time;No.;Tensometr;Enkoder;0-10V;\r\n", f);
    long size = 0;
    for (int i = 0; size < 100L * 1024 * 1024; ++i) {
      size += std::fprintf(f, "10-12-2026;%d:%d:%d:%d;%d;%.2f;%d.00;5.00;\r\n", 8 + i / 3600000 % 12, i / 60000 % 60,
                           i / 1000 % 60, i % 1000, i, 1000 * std::sin(i / 500.0), i);
    }
    std::fclose(f);
  }
  auto start = bench::Clock::now();
  {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY);
    std::vector<char> buffer(1 << 20);
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    ::close(fd);
  }
  bench::Print("review_load_100mb_read_bytes_baseline_s", bench::MicrosSince(start) / 1e6, "s");
  start = bench::Clock::now();
  chart::SampleHistory h(5, 100000000);
  chart::ReviewLoader loader(h, 15);
  record::RecordReader reader(loader);
  record::ReadRecordFile(path, reader);
  bench::Print("review_load_100mb_s", bench::MicrosSince(start) / 1e6, "s");
  bench::Print("review_load_100mb_records", static_cast<double>(reader.records()), "records");
}

void Capture() {
  sim::InstrumentModel demo;
  demo.setSignal(sim::Signal::Tests);
  double seconds = 0;
  demo.setSignalTime([&] { return seconds; });
  std::vector<float> values;
  for (int i = 0; i < 400000; ++i) {
    seconds = i * 0.015;
    values.push_back(demo.measure().tensValue);
  }
  capture::CaptureSettings rules;
  rules.breakPercent = 50;
  rules.lowerLimit = 500;
  rules.upperLimit = 800;
  const int rounds = 10;
  capture::ForceTestCapture capture(rules);
  auto start = bench::Clock::now();
  for (int r = 0; r < rounds; ++r) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      capture.feed(static_cast<std::int64_t>(r * values.size() + i) * 15, values[i]);
    }
  }
  const double n = static_cast<double>(rounds * values.size());
  bench::Print("capture_ns_per_sample", bench::MicrosSince(start) * 1000 / n, "ns");
  bench::Print("capture_tests_found", static_cast<double>(capture.tests().size()), "tests");
  capture::RunningStats stats;
  start = bench::Clock::now();
  for (int r = 0; r < rounds; ++r) {
    for (const float v : values) stats.add(v);
  }
  bench::Print("capture_running_stats_baseline_ns_per_sample", bench::MicrosSince(start) * 1000 / n, "ns");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  Redraw();
  Append();
  LiveColumns();
  ReviewLoad();
  Capture();
  return 0;
}
