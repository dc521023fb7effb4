#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace vestrix::record {

// The record file of a run. It is opened at the first record; every record
// goes to the system in one write call as it is made (no buffer of ours
// holds it, so a crash or a kill loses none), and the file is closed when
// the run ends. A file that cannot be opened or written is tried again at
// most once a second; a record that was only partly written is never
// continued: the next one starts on a fresh line.
class RecordFile {
 public:
  enum class Outcome {
    Written,
    Failed,   // not stored; error() says why
    Waiting,  // not stored: the file failed less than a second ago
  };

  // monotonicMs: a clock in milliseconds that never goes back.
  explicit RecordFile(std::function<std::int64_t()> monotonicMs);
  ~RecordFile();

  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  Outcome append(const QString& path, const QByteArray& text);
  // The run ends: closed, and the failures of the run forgotten.
  void close();

  bool isOpen() const { return fd_ >= 0; }
  // Whether the last attempt failed (records are not being stored).
  bool failing() const { return failing_; }
  // The system's reason for the last failure.
  const QString& error() const { return error_; }

  static constexpr std::int64_t kRetryIntervalMs = 1000;

 private:
  void fail(int error);

  std::function<std::int64_t()> now_;
  int fd_ = -1;
  bool failing_ = false;
  bool partialLine_ = false;  // the file may end in the middle of a line
  std::int64_t nextTry_ = 0;
  QString error_;
};

}  // namespace vestrix::record
