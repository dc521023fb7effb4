#include "record/record_file.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vestrix::record {

RecordFile::RecordFile(std::function<std::int64_t()> monotonicMs) : now_(std::move(monotonicMs)) {}

RecordFile::~RecordFile() { close(); }

void RecordFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  failing_ = false;
  partialLine_ = false;
  nextTry_ = 0;
  error_.clear();
}

void RecordFile::fail(int error) {
  error_ = QString::fromLocal8Bit(std::strerror(error));
  failing_ = true;
  nextTry_ = now_() + kRetryIntervalMs;
  if (fd_ >= 0) ::close(fd_);  // opened afresh on the next try: the folder or disk may have changed
  fd_ = -1;
}

RecordFile::Outcome RecordFile::append(const QString& path, const QByteArray& text) {
  if (failing_ && now_() < nextTry_) return Outcome::Waiting;
  if (fd_ < 0) {
    if (path.isEmpty()) {
      fail(ENOENT);
      return Outcome::Failed;
    }
    fd_ = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      fail(errno);
      return Outcome::Failed;
    }
  }
  const QByteArray data = partialLine_ ? "\r\n" + text : text;
  const char* p = data.constData();
  qsizetype left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (left != data.size()) partialLine_ = true;
      fail(n < 0 ? errno : EIO);
      return Outcome::Failed;
    }
    p += n;
    left -= n;
  }
  partialLine_ = false;
  failing_ = false;
  return Outcome::Written;
}

}  // namespace vestrix::record
