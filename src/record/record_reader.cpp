#include "record/record_reader.h"

#include "record/file_access.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace vestrix::record {

namespace {

// The fields of a line, each followed by ";".
class Fields {
 public:
  explicit Fields(std::string_view text) : rest_(text) {}
  // The next field, or nothing at the end (or where a field lacks its ";").
  std::optional<std::string_view> next() {
    const std::size_t end = rest_.find(';');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view field = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    return field;
  }
  bool done() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

template <class T>
std::optional<T> Integer(std::string_view text) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Numbers as FormatFixed writes them, with either separator; "---" for a
// value that could not be written.
std::optional<float> Value(std::string_view text) {
  if (text == "---" || text == "NAN") return std::numeric_limits<float>::quiet_NaN();
  if (text == "INF") return std::numeric_limits<float>::infinity();
  if (text == "-INF") return -std::numeric_limits<float>::infinity();
  char buffer[64];
  if (text.empty() || text.size() >= sizeof buffer) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!((c >= '0' && c <= '9') || c == '-' || c == '.' || c == ',' || c == 'E')) return std::nullopt;
    buffer[i] = c == ',' ? '.' : c;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(buffer, buffer + text.size(), value);
  if (error != std::errc() || end != buffer + text.size()) return std::nullopt;
  return static_cast<float>(value);
}

// Three numbers joined by a separator: "9-1-2015", "14:5:9".
template <std::size_t N>
std::optional<std::array<int, N>> Joined(std::string_view text, char separator) {
  std::array<int, N> parts{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t end = i + 1 == N ? text.size() : text.find(separator);
    if (end == std::string_view::npos) return std::nullopt;
    const std::optional<int> part = Integer<int>(text.substr(0, end));
    if (!part || *part < 0) return std::nullopt;
    parts[i] = *part;
    text.remove_prefix(i + 1 == N ? text.size() : end + 1);
  }
  return parts;
}

}  // namespace

void RecordReader::feed(std::string_view chunk) {
  while (!chunk.empty()) {
    const std::size_t end = chunk.find('\n');
    const std::string_view part = chunk.substr(0, end);
    if (!overlong_ && pending_.size() + part.size() > kMaxLineLength) {
      // Counted once, and nothing of it kept.
      overlong_ = true;
      pending_.clear();
      pending_.shrink_to_fit();
      ++skipped_;
    }
    if (end == std::string_view::npos) {
      if (!overlong_) pending_.append(part);
      return;
    }
    if (overlong_) {
      overlong_ = false;
    } else if (pending_.empty()) {
      line(part);
    } else {
      pending_.append(part);
      line(pending_);
      pending_.clear();
    }
    chunk.remove_prefix(end + 1);
  }
}

void RecordReader::finish() {
  // A last line without its line end is a record cut short.
  if (!pending_.empty()) ++skipped_;
  pending_.clear();
  overlong_ = false;
}

void RecordReader::line(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  // An empty line is a record of a run without columns, else the header of
  // such a run.
  const bool emptyRecord = text.empty() && run_ && std::find(run_->begin(), run_->end(), true) == run_->end();
  if (!emptyRecord) {
    if (const std::optional<ColumnChoice> columns = header(text)) {
      run_ = columns;
      ++runs_;
      if (std::find(columns->begin(), columns->end(), true) != columns->end()) ++namedRuns_;
      sink_.runStarted(*columns);
      return;
    }
  }
  if (run_) {
    if (const std::optional<ReadRecord> r = record(text)) {
      ++records_;
      sink_.recordRead(*r);
      return;
    }
  }
  ++skipped_;
}

std::optional<ColumnChoice> RecordReader::header(std::string_view text) const {
  ColumnChoice columns{};
  Fields fields(text);
  int next = 0;
  while (std::optional<std::string_view> name = fields.next()) {
    while (next < kColumnCount && *name != ColumnHeader(static_cast<Column>(next))) ++next;
    if (next == kColumnCount) return std::nullopt;
    columns[next++] = true;
  }
  if (!fields.done()) return std::nullopt;
  return columns;
}

std::optional<ReadRecord> RecordReader::record(std::string_view text) const {
  ReadRecord r;
  r.values.fill(std::numeric_limits<float>::quiet_NaN());
  Fields fields(text);
  std::optional<std::array<int, 3>> date;
  std::optional<std::array<int, 4>> time;
  for (int c = 0; c < kColumnCount; ++c) {
    if (!(*run_)[c]) continue;
    const std::optional<std::string_view> field = fields.next();
    if (!field) return std::nullopt;
    switch (static_cast<Column>(c)) {
      case Column::Date:
        date = Joined<3>(*field, '-');
        // A day the calendar has (31-2 has none), in a year a PC's clock shows.
        if (!date || (*date)[2] < kFirstYear || (*date)[2] > kLastYear ||
            !QDate((*date)[2], (*date)[1], (*date)[0]).isValid()) {
          return std::nullopt;
        }
        break;
      case Column::Time:
        time = Joined<4>(*field, ':');
        if (!time || (*time)[0] > 23 || (*time)[1] > 59 || (*time)[2] > 60 || (*time)[3] > 999) return std::nullopt;
        break;
      case Column::Number:
        r.number = Integer<std::int64_t>(*field);
        if (!r.number || *r.number < 0 || *r.number > kMaxNumber) return std::nullopt;
        break;
      default: {
        const std::optional<float> v = Value(*field);
        if (!v) return std::nullopt;
        for (int k = 0; k < kValueColumns; ++k) {
          if (kValueColumn[k] == static_cast<Column>(c)) r.values[static_cast<std::size_t>(k)] = *v;
        }
      }
    }
  }
  if (!fields.done()) return std::nullopt;
  if (date && time) {
    r.clock = ClockReading{(*date)[2], (*date)[1], (*date)[0], (*time)[0], (*time)[1], (*time)[2], (*time)[3]};
  }
  return r;
}

FileRead ReadRecordFile(const QString& path, RecordReader& reader,
                        const std::function<bool(std::int64_t, std::int64_t)>& progress) {
  FileRead result;
  const files::Opened opened = files::OpenForReading(path);
  if (opened.fd < 0) {
    result.error = files::ErrorText(opened.error);
    return result;
  }
  const int fd = opened.fd;
  const std::optional<files::Facts> facts = files::FactsOf(fd);
  if (!facts || !facts->regular) {
    result.notRegularFile = true;
    files::Close(fd);
    return result;
  }
  result.opened = true;
  std::string chunk(1 << 20, '\0');
  std::int64_t done = 0;
  while (true) {
    const long long n = files::ReadSome(fd, chunk.data(), chunk.size());
    if (n < 0) {
      result.error = files::ErrorText(errno);
      break;
    }
    if (n == 0) break;
    reader.feed(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
    done += n;
    if (progress && !progress(done, facts->size)) {
      result.cancelled = true;
      break;
    }
  }
  files::Close(fd);
  if (!result.cancelled) reader.finish();
  return result;
}

}  // namespace vestrix::record
