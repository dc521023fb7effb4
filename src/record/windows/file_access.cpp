#include "record/file_access.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

namespace vestrix::record::files {

namespace {

std::wstring Wide(const QString& path) { return path.toStdWString(); }

Facts FromStat(const struct _stat64& st) {
  // Windows has no inode: a file open without delete sharing cannot be
  // deleted or moved away, so its identity need not be told.
  return {(st.st_mode & _S_IFMT) == _S_IFREG, st.st_size, 0, 0, 1};
}

Opened Open(const QString& path, int flags) {
  int fd = -1;
  // Shared for reading and writing: another program may read the records
  // while they are written.
  const errno_t error =
      ::_wsopen_s(&fd, Wide(path).c_str(), flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, _S_IREAD | _S_IWRITE);
  return {fd, fd < 0 ? static_cast<int>(error) : 0, fd >= 0 && (flags & _O_RDWR) != 0};
}

}  // namespace

Opened OpenForAppend(const QString& path) {
  Opened opened = Open(path, _O_RDWR | _O_APPEND | _O_CREAT);
  if (opened.fd < 0 && opened.error == EACCES) opened = Open(path, _O_WRONLY | _O_APPEND | _O_CREAT);
  return opened;
}

Opened OpenForReading(const QString& path) {
  Opened opened = Open(path, _O_RDONLY);
  opened.readable = opened.fd >= 0;
  return opened;
}

void Close(int fd) {
  if (fd >= 0) ::_close(fd);
}

std::optional<Facts> FactsOf(int fd) {
  struct _stat64 st {};
  if (::_fstat64(fd, &st) != 0) return std::nullopt;
  return FromStat(st);
}

std::optional<Facts> FactsOfPath(const QString& path, int* error) {
  struct _stat64 st {};
  if (::_wstat64(Wide(path).c_str(), &st) != 0) {
    *error = errno;
    return std::nullopt;
  }
  return FromStat(st);
}

// Reads and writes of the C library on Windows never block on their own.
void MakeBlocking(int) {}

long long WriteSome(int fd, const char* data, std::size_t size) {
  return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

long long ReadSome(int fd, char* buffer, std::size_t size) {
  return ::_read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

std::optional<char> ByteAt(int fd, std::int64_t offset) {
  // Appends go to the end whatever the position: moving it to read is safe.
  const __int64 was = ::_telli64(fd);
  char byte = 0;
  const bool read = ::_lseeki64(fd, offset, SEEK_SET) == offset && ::_read(fd, &byte, 1) == 1;
  if (was >= 0) ::_lseeki64(fd, was, SEEK_SET);
  if (!read) return std::nullopt;
  return byte;
}

bool TruncateTo(int fd, std::int64_t size) { return ::_chsize_s(fd, size) == 0; }

QString ErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool ReaderGone(int error) { return error == EPIPE; }

}  // namespace vestrix::record::files
