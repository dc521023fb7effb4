#include "record/record_file.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::record {

RecordFile::RecordFile(std::function<std::int64_t()> monotonicMs) : now_(std::move(monotonicMs)) {}

RecordFile::~RecordFile() { close(); }

void RecordFile::closeDescriptor() {
  if (fd_ >= 0 && !attached_) ::close(fd_);
  fd_ = -1;
  partialLine_ = false;
}

void RecordFile::close() {
  closeDescriptor();
  attached_ = false;
  failing_ = false;
  failure_ = Failure::System;
  nextTry_ = 0;
  error_.clear();
  errorNumber_ = 0;
}

void RecordFile::fail(int error) {
  error_ = QString::fromLocal8Bit(std::strerror(error));
  errorNumber_ = error;
  failure_ = Failure::System;
  failing_ = true;
  nextTry_ = now_() + kRetryIntervalMs;
  // Opened afresh on the next try: the folder or disk may have changed.
  closeDescriptor();
}

void RecordFile::failNotRegular() {
  fail(EINVAL);
  failure_ = Failure::NotRegularFile;
}

bool RecordFile::openAt(const QString& path) {
  if (path.isEmpty()) {
    fail(ENOENT);
    return false;
  }
  const QByteArray name = QFile::encodeName(path);
  // Never blocks: a FIFO without a reader would hold the GUI thread for
  // good. Read access lets the file's last byte be looked at.
  constexpr int kFlags = O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  bool readable = true;
  int fd = ::open(name.constData(), O_RDWR | kFlags, 0666);
  if (fd < 0 && errno == EACCES) {
    readable = false;
    fd = ::open(name.constData(), O_WRONLY | kFlags, 0666);
  }
  if (fd < 0) {
    fail(errno);
    return false;
  }
  fd_ = fd;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    fail(errno);
    return false;
  }
  // Records go to files only, not to a device or a pipe that was named.
  if (!S_ISREG(st.st_mode)) {
    failNotRegular();
    return false;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  device_ = st.st_dev;
  inode_ = st.st_ino;
  size_ = st.st_size;
  nextPathCheck_ = now_() + kPathCheckIntervalMs;
  // A file cut short in the middle of a line: the next record starts on a
  // line of its own, not glued to the fragment.
  if (readable && st.st_size > 0) {
    char last = '\n';
    if (::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n') partialLine_ = true;
  }
  return true;
}

void RecordFile::attach(int fd) {
  close();
  fd_ = fd;
  attached_ = true;
  size_ = 0;
}

bool RecordFile::lostFromPath(const QString& path) {
  if (fd_ < 0 || attached_) return false;
  const std::int64_t now = now_();
  if (now < nextPathCheck_) return false;
  nextPathCheck_ = now + kPathCheckIntervalMs;
  struct stat opened {};
  if (::fstat(fd_, &opened) != 0) return false;
  bool lost = opened.st_nlink == 0;
  struct stat named {};
  if (!lost) {
    if (::stat(QFile::encodeName(path).constData(), &named) == 0) {
      lost = named.st_dev != device_ || named.st_ino != inode_;
    } else {
      lost = errno == ENOENT || errno == ENOTDIR;
    }
  }
  if (lost) closeDescriptor();
  return lost;
}

RecordFile::Outcome RecordFile::open(const QString& path) {
  if (fd_ >= 0) return Outcome::Written;
  if (attached_) return Outcome::Failed;
  if (failing_ && now_() < nextTry_) return Outcome::Waiting;
  return openAt(path) ? Outcome::Written : Outcome::Failed;
}

RecordFile::Outcome RecordFile::append(const QString& path, const QByteArray& text) {
  const Outcome opened = open(path);
  return opened == Outcome::Written ? write(text) : opened;
}

RecordFile::Outcome RecordFile::write(const QByteArray& text) {
  if (fd_ < 0) return Outcome::Failed;
  const QByteArray data = partialLine_ ? "\r\n" + text : text;
  struct stat before {};
  const bool sized = ::fstat(fd_, &before) == 0;
  const char* p = data.constData();
  qsizetype left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      // A cut value reads as a real measurement: take the fragment back
      // off. Where that fails too, the next record starts on a new line
      // (an opening finds such a fragment by itself where it can read).
      const bool fragmentLeft = left != data.size() && !(sized && ::ftruncate(fd_, before.st_size) == 0);
      fail(error);
      partialLine_ = fragmentLeft;
      return Outcome::Failed;
    }
    p += n;
    left -= n;
  }
  size_ += data.size();
  partialLine_ = false;
  failing_ = false;
  return Outcome::Written;
}

}  // namespace vestrix::record
