#pragma once

#include "files/file_name.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace vestrix::record {

// The record file of a run. It is opened at the first record; every record
// goes to the system in one write call as it is made (no buffer of ours
// holds it, so a crash or a kill loses none), and the file is closed when
// the run ends. A file that cannot be opened or written is tried again at
// most once a second. A record is whole in the file or absent: a write cut
// short is cut back off, and a file that does not end with a line break
// (cut short by someone else) gets one before the next record.
class RecordFile {
 public:
  enum class Outcome {
    Written,
    Failed,   // not stored; error() says why
    Waiting,  // not stored: the file failed less than a second ago
  };

  // Why the last attempt failed.
  enum class Failure {
    System,          // the system refused: error() is its reason
    NotRegularFile,  // the path names a folder, a FIFO, a device...
  };

  // monotonicMs: a clock in milliseconds that never goes back.
  explicit RecordFile(std::function<std::int64_t()> monotonicMs);
  ~RecordFile();

  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Records go to a descriptor opened by someone else (standard output)
  // instead of a file at a path: never closed here nor looked up by path,
  // and not opened again once a write to it has failed.
  void attach(int fd);
  bool attached() const { return attached_; }

  // Opens the file at the path unless it is open: Written when it is open
  // afterwards.
  Outcome open(const QString& path);
  // Appends to the open file in one write.
  Outcome write(const QByteArray& text);
  // Both.
  Outcome append(const QString& path, const QByteArray& text);
  // The run ends: closed, and the failures of the run forgotten.
  void close();
  // Whether the open file holds nothing yet (a new file).
  bool empty() const { return size_ == 0; }
  // What the open file holds, as far as this object knows.
  std::int64_t size() const { return size_; }

  // Whether the open file was deleted or moved away from the path since it
  // was opened (writes would go nowhere anyone can see). Looked at no more
  // than once a second; when it happened the file is closed, and the next
  // append creates a new one at the path.
  bool lostFromPath(const QString& path);

  bool isOpen() const { return fd_ >= 0; }
  // Whether the last attempt failed (records are not being stored).
  bool failing() const { return failing_; }
  Failure failure() const { return failure_; }
  // The system's reason for the last failure, and its error number.
  const QString& error() const { return error_; }
  int errorNumber() const { return errorNumber_; }

  static constexpr std::int64_t kRetryIntervalMs = 1000;
  static constexpr std::int64_t kPathCheckIntervalMs = 1000;

 private:
  bool openAt(const QString& path);
  void fail(int error);
  void failNotRegular();
  void closeDescriptor();

  std::function<std::int64_t()> now_;
  int fd_ = -1;
  bool attached_ = false;
  std::uint64_t device_ = 0;  // what the path named when it was opened
  std::uint64_t inode_ = 0;
  bool failing_ = false;
  Failure failure_ = Failure::System;
  bool partialLine_ = false;  // the file may end in the middle of a line
  std::int64_t size_ = 0;     // what it holds, as far as this object knows
  std::int64_t nextTry_ = 0;
  std::int64_t nextPathCheck_ = 0;
  QString error_;
  int errorNumber_ = 0;
};

// The record file's rule: ".csv" added to a name without it.
inline QString WithCsvExtension(const QString& chosen) { return files::WithExtension(chosen, QStringLiteral(".csv")); }

}  // namespace vestrix::record
