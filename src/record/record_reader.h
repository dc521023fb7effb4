#pragma once

#include "record/record_line.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vestrix::record {

// The value columns in file order: Tensometr, Enkoder, 0-10V, OUT1, OUT2.
constexpr int kValueColumns = 5;
constexpr Column kValueColumn[kValueColumns] = {Column::Tens, Column::Counter, Column::Analog, Column::Out1,
                                                Column::Out2};

// One record read back.
struct ReadRecord {
  std::optional<ClockReading> clock;   // the PC's date and time, where the run records both
  std::optional<std::int64_t> number;  // "No."
  // NaN where the run does not record the column, or the field reads "---".
  std::array<float, kValueColumns> values{};
};

class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // A header line: a run with these columns begins.
  virtual void runStarted(const ColumnChoice& columns) = 0;
  virtual void recordRead(const ReadRecord& record) = 0;
};

// Reads a record file back as the recorder writes it: runs begun by their
// header lines, records of the run's columns, numbers with a point or a
// comma, CR LF or LF line ends. Whatever does not fit (a line before any
// header, a field that is not what its column holds, a date or time that
// cannot be, a "No." beyond what the recorder counts to, a record of the
// wrong length, a line longer than any record, a last line without its
// line end) is skipped and counted. Fed in chunks of any size; finish()
// after the last. However long a line, no more than kMaxLineLength of it
// is held.
class RecordReader {
 public:
  // Far beyond the longest record (eight columns of numbers).
  static constexpr std::size_t kMaxLineLength = 4096;
  // The dates a record may bear, and the greatest "No." the recorder writes.
  static constexpr int kFirstYear = 1970;
  static constexpr int kLastYear = 9999;
  static constexpr std::int64_t kMaxNumber = 2147483647;

  explicit RecordReader(RecordSink& sink) : sink_(sink) {}

  void feed(std::string_view chunk);
  void finish();

  std::uint64_t runs() const { return runs_; }
  // Runs whose header names a column: a file with none is no record file
  // (an empty line, which random bytes hold too, heads a run without columns).
  std::uint64_t namedRuns() const { return namedRuns_; }
  // What is held of a line under way, at most kMaxLineLength.
  std::size_t bufferedBytes() const { return pending_.capacity(); }
  std::uint64_t records() const { return records_; }
  std::uint64_t skipped() const { return skipped_; }

 private:
  void line(std::string_view text);
  std::optional<ColumnChoice> header(std::string_view text) const;
  std::optional<ReadRecord> record(std::string_view text) const;

  RecordSink& sink_;
  std::string pending_;    // a line begun in an earlier chunk
  bool overlong_ = false;  // the line under way is longer than any record: skipped to its end
  std::optional<ColumnChoice> run_;
  std::uint64_t runs_ = 0;
  std::uint64_t namedRuns_ = 0;
  std::uint64_t records_ = 0;
  std::uint64_t skipped_ = 0;
};

// Reads a whole file into a reader, in chunks. Anything but a regular file
// is refused at once (a FIFO would block for good). progress(done, total)
// runs after every chunk; when it says false, reading stops.
struct FileRead {
  bool opened = false;
  bool notRegularFile = false;  // refused: a folder, a FIFO, a device
  QString error;                // the system's reason it could not be read
  bool cancelled = false;
};
FileRead ReadRecordFile(const QString& path, RecordReader& reader,
                        const std::function<bool(std::int64_t done, std::int64_t total)>& progress = {});

}  // namespace vestrix::record
