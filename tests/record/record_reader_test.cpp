// Record files read back: what the recorder writes comes back the same; what
// is not a record is skipped and counted, never a crash.
#include "record/record_reader.h"

#include "record/recorder.h"

#include "support/samples.h"
#include "support/watchdog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::record {
namespace {

// What a reader was told.
struct Collected : RecordSink {
  std::vector<ColumnChoice> runs;
  std::vector<ReadRecord> records;
  void runStarted(const ColumnChoice& columns) override { runs.push_back(columns); }
  void recordRead(const ReadRecord& r) override { records.push_back(r); }
};

Collected Read(const std::string& content, std::size_t chunk = 0, RecordReader** kept = nullptr) {
  static Collected collected;
  collected = {};
  static std::unique_ptr<RecordReader> reader;
  reader = std::make_unique<RecordReader>(collected);
  if (chunk == 0) chunk = content.size() + 1;
  for (std::size_t at = 0; at < content.size(); at += chunk) reader->feed(std::string_view(content).substr(at, chunk));
  reader->finish();
  if (kept != nullptr) *kept = reader.get();
  return collected;
}

// The recorder writes two runs (every column with a point; some columns with
// a comma), the reader gives back the same runs, records and values.
TEST(RecordReader, ReadsBackWhatTheRecorderWrites) {
  QTemporaryDir dir;
  std::int64_t now = 0;
  RecordingState state([] { return ClockReading{2026, 12, 10, 8, 30, 5, 7}; }, [&] { return now; });
  RecordSetup all{0, {true, true, true, true, true, true, true, true}, dir.filePath("data.csv"), QLatin1Char('.')};
  protocol::MeasurementSample s = testing::ScriptedSample();
  state.runChanged(true);
  for (int i = 0; i < 3; ++i) {
    s.tensValue = 12.5f + static_cast<float>(i);
    state.RecordingStep(s, all);
  }
  s.tensValue = std::numeric_limits<float>::quiet_NaN();
  s.counterValue = 123456789.0f;  // written in exponent form
  state.RecordingStep(s, all);
  state.runChanged(false);
  RecordSetup some{0, {false, false, true, false, true, true, false, false}, all.path, QLatin1Char(',')};
  s.counterValue = -0.5f;
  s.analogValue = std::numeric_limits<float>::infinity();
  state.runChanged(true);
  state.RecordingStep(s, some);
  state.runChanged(false);

  QFile file(all.path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  RecordReader* reader = nullptr;
  const Collected c = Read(file.readAll().toStdString(), 0, &reader);
  EXPECT_EQ(reader->skipped(), 0u);
  ASSERT_EQ(c.runs.size(), 2u);
  EXPECT_EQ(c.runs[0], all.columns);
  EXPECT_EQ(c.runs[1], some.columns);
  ASSERT_EQ(c.records.size(), 5u);
  const ReadRecord& first = c.records[0];
  ASSERT_TRUE(first.clock);
  EXPECT_EQ(first.clock->year, 2026);
  EXPECT_EQ(first.clock->millisecond, 7);
  EXPECT_EQ(first.number, 0);
  EXPECT_EQ(first.values[0], 12.5f);
  EXPECT_EQ(first.values[1], 0.0f);
  EXPECT_EQ(first.values[2], 1234.57f);
  EXPECT_EQ(first.values[3], 2.0f);  // the relay byte as written
  EXPECT_EQ(c.records[2].values[0], 14.5f);
  EXPECT_TRUE(std::isnan(c.records[3].values[0]));
  EXPECT_EQ(c.records[3].values[1], 123456790.0f);  // 1.2345679E08
  const ReadRecord& last = c.records[4];
  EXPECT_FALSE(last.clock);
  EXPECT_EQ(last.number, 0);
  EXPECT_EQ(last.values[1], -0.5f);  // "-0,50"
  EXPECT_TRUE(std::isinf(last.values[2]));
  EXPECT_TRUE(std::isnan(last.values[0]));  // a column the run does not record
}

struct Malformed {
  const char* name;
  std::string content;
  std::size_t runs;
  std::size_t records;
  std::uint64_t skipped;
};

void PrintTo(const Malformed& m, std::ostream* os) { *os << m.name; }

class MalformedFiles : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedFiles, AreSkippedAndCounted) {
  const Malformed& m = GetParam();
  RecordReader* reader = nullptr;
  const Collected whole = Read(m.content, 0, &reader);
  EXPECT_EQ(whole.runs.size(), m.runs);
  EXPECT_EQ(whole.records.size(), m.records);
  EXPECT_EQ(reader->skipped(), m.skipped);
  // Any chunks give the same.
  for (const std::size_t chunk : {1u, 2u, 7u}) {
    const Collected pieces = Read(m.content, chunk, &reader);
    EXPECT_EQ(pieces.records.size(), m.records) << chunk;
    EXPECT_EQ(reader->skipped(), m.skipped) << chunk;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedFiles,
    ::testing::Values(Malformed{"empty", "", 0, 0, 0}, Malformed{"foreign_text", "hello\r\nworld\r\n", 0, 0, 2},
                      Malformed{"record_before_any_header", "1;\r\nNo.;\r\n2;\r\n", 1, 1, 1},
                      Malformed{"wrong_field_count", "No.;Enkoder;\r\n1;2.00;\r\n1;\r\n1;2;3;\r\n", 1, 1, 2},
                      Malformed{"missing_last_separator", "No.;\r\n1\r\n2;\r\n", 1, 1, 1},
                      Malformed{"letters_in_a_value", "Enkoder;\r\n12abc;\r\n1e5;\r\n--;\r\n---;\r\n", 1, 1, 3},
                      Malformed{"bad_date_and_time",
                                "Date;Time;\r\n9-13-2015;1:2:3:4;\r\n9-1-2015;25:0:0:0;\r\n9-1;1:2:3:4;\r\n", 1, 0, 3},
                      Malformed{"cut_last_line", "No.;Tensometr;\r\n0;12.50;\r\n1;12", 1, 1, 1},
                      Malformed{"lf_line_ends", "No.;\n0;\n1;\n", 1, 2, 0},
                      Malformed{"header_out_of_order", "Enkoder;No.;\r\n", 0, 0, 1},
                      Malformed{"no_columns", "\r\n\r\n\r\nNo.;\r\n5;\r\n", 2, 3, 0},  // a header, two empty records
                      Malformed{"binary", std::string("\0\xff\x01;;\r\n\x80;\n", 10), 0, 0, 2},
                      Malformed{"huge_line", "No.;\r\n" + std::string(100000, '7') + ";\r\n", 1, 0, 1},
                      Malformed{"huge_lines_around_a_record",
                                std::string(9000, 'x') + "\nNo.;\r\n1;\r\n" + std::string(5000, ';') + "\n2;\n" +
                                    std::string(70000, 'y'),
                                1, 2, 3},
                      Malformed{"dates_that_cannot_be",
                                "Date;Time;\r\n31-2-2026;1:2:3:4;\r\n29-2-2025;1:2:3:4;\r\n29-2-2024;1:2:3:4;\r\n"
                                "1-1-1969;1:2:3:4;\r\n1-1-10000;1:2:3:4;\r\n0-1-2026;1:2:3:4;\r\n",
                                1, 1, 5},
                      Malformed{"numbers_beyond_the_recorders",
                                "No.;\r\n9223372036854775807;\r\n-1;\r\n2147483648;\r\n2147483647;\r\n0;\r\n", 1, 2,
                                3}));

// A file without a line break, however big, is never held whole.
TEST(RecordReader, ALineLongerThanAnyRecordIsNotHeld) {
  Collected sink;
  RecordReader reader(sink);
  const std::string megabyte(1 << 20, 'z');
  for (int i = 0; i < 100; ++i) {
    reader.feed(megabyte);
    ASSERT_LE(reader.bufferedBytes(), RecordReader::kMaxLineLength * 2);
  }
  reader.feed("\nNo.;\n3;\n");
  reader.finish();
  EXPECT_EQ(reader.skipped(), 1u);
  EXPECT_EQ(sink.records.size(), 1u);
}

// Random bytes hold empty lines, which head runs without columns: no run
// names a column, so the file is no record file.
TEST(RecordReader, RandomBytesNameNoRun) {
  std::string bytes;
  std::uint32_t x = 12345;
  for (int i = 0; i < 5 * 1024 * 1024; ++i) {
    x = x * 1664525u + 1013904223u;
    bytes.push_back(static_cast<char>((x >> 24) % 8 == 0 ? '\n' : x >> 16));
  }
  Collected sink;
  RecordReader reader(sink);
  reader.feed(bytes);
  reader.finish();
  EXPECT_EQ(reader.namedRuns(), 0u);
  Collected named;
  RecordReader records(named);
  records.feed("\r\n\r\nNo.;\r\n1;\r\n");
  EXPECT_EQ(records.runs(), 2u);
  EXPECT_EQ(records.namedRuns(), 1u);
}

TEST(RecordFileRead, ReportsProgressAndStopsWhenAsked) {
  QTemporaryDir dir;
  QFile file(dir.filePath("big.csv"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("No.;\r\n");
  for (int i = 0; i < 400000; ++i) file.write(QByteArray::number(i) + ";\r\n");
  file.close();
  Collected c;
  RecordReader reader(c);
  int calls = 0;
  const FileRead read = ReadRecordFile(file.fileName(), reader, [&](std::int64_t done, std::int64_t total) {
    EXPECT_LE(done, total);
    return ++calls < 2;
  });
  EXPECT_TRUE(read.cancelled);
  EXPECT_EQ(calls, 2);
  EXPECT_LT(reader.records(), 400000u);
}

}  // namespace
}  // namespace vestrix::record
