#include "record/record_file.h"

#include "record/file_access.h"

#include <cerrno>

namespace vestrix::record {

namespace {

// Cuts the last `length` bytes of the file off.
bool TakeBackFragment(int fd, qsizetype length) {
  const std::optional<files::Facts> now = files::FactsOf(fd);
  return now && now->size >= length && files::TruncateTo(fd, now->size - length);
}

}  // namespace

RecordFile::RecordFile(std::function<std::int64_t()> monotonicMs) : now_(std::move(monotonicMs)) {}

RecordFile::~RecordFile() { close(); }

void RecordFile::closeDescriptor() {
  if (fd_ >= 0 && !attached_) files::Close(fd_);
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
  error_ = files::ErrorText(error);
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
  const files::Opened opened = files::OpenForAppend(path);
  if (opened.fd < 0) {
    fail(opened.error);
    return false;
  }
  fd_ = opened.fd;
  const std::optional<files::Facts> facts = files::FactsOf(fd_);
  if (!facts) {
    fail(errno);
    return false;
  }
  // Records go to files only, not to a device or a pipe that was named.
  if (!facts->regular) {
    failNotRegular();
    return false;
  }
  files::MakeBlocking(fd_);
  device_ = facts->device;
  inode_ = facts->inode;
  size_ = facts->size;
  nextPathCheck_ = now_() + kPathCheckIntervalMs;
  // A file cut short in the middle of a line: the next record starts on a
  // line of its own, not glued to the fragment.
  if (opened.readable && facts->size > 0) {
    const std::optional<char> last = files::ByteAt(fd_, facts->size - 1);
    if (last && *last != '\n') partialLine_ = true;
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
  const std::optional<files::Facts> opened = files::FactsOf(fd_);
  if (!opened) return false;
  bool lost = opened->links == 0;
  if (!lost) {
    int error = 0;
    if (const std::optional<files::Facts> named = files::FactsOfPath(path, &error)) {
      lost = named->device != device_ || named->inode != inode_;
    } else {
      lost = error == ENOENT || error == ENOTDIR;
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
  const char* p = data.constData();
  qsizetype left = data.size();
  while (left > 0) {
    const long long n = files::WriteSome(fd_, p, static_cast<std::size_t>(left));
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      // A cut value reads as a real measurement: take the fragment back
      // off (appended, it is the file's last bytes; the size is asked only
      // here, not before every record: that cost as much as the write).
      // Where that fails too, the next record starts on a new line (an
      // opening finds such a fragment by itself where it can read).
      const bool fragmentLeft = left != data.size() && !TakeBackFragment(fd_, data.size() - left);
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
