#include "record/file_access.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::record::files {

namespace {

Facts FromStat(const struct stat& st) {
  return {S_ISREG(st.st_mode), st.st_size, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::uint64_t>(st.st_nlink)};
}

}  // namespace

Opened OpenForAppend(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  // Never blocks: a FIFO without a reader would hold the GUI thread for
  // good. Read access lets the file's last byte be looked at.
  constexpr int kFlags = O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  int fd = ::open(name.constData(), O_RDWR | kFlags, 0666);
  if (fd >= 0) return {fd, 0, true};
  if (errno == EACCES) fd = ::open(name.constData(), O_WRONLY | kFlags, 0666);
  return {fd, fd < 0 ? errno : 0, false};
}

Opened OpenForReading(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  return {fd, fd < 0 ? errno : 0, fd >= 0};
}

void Close(int fd) {
  if (fd >= 0) ::close(fd);
}

std::optional<Facts> FactsOf(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return std::nullopt;
  return FromStat(st);
}

std::optional<Facts> FactsOfPath(const QString& path, int* error) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
    *error = errno;
    return std::nullopt;
  }
  return FromStat(st);
}

void MakeBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

long long WriteSome(int fd, const char* data, std::size_t size) {
  ssize_t n;
  do {
    n = ::write(fd, data, size);
  } while (n < 0 && errno == EINTR);
  return n;
}

long long ReadSome(int fd, char* buffer, std::size_t size) {
  ssize_t n;
  do {
    n = ::read(fd, buffer, size);
  } while (n < 0 && errno == EINTR);
  return n;
}

std::optional<char> ByteAt(int fd, std::int64_t offset) {
  char byte = 0;
  if (::pread(fd, &byte, 1, offset) != 1) return std::nullopt;
  return byte;
}

bool TruncateTo(int fd, std::int64_t size) { return ::ftruncate(fd, size) == 0; }

QString ErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool ReaderGone(int error) { return error == EPIPE; }

}  // namespace vestrix::record::files
