#include "files/whole_file.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::files {

namespace {

// The file a path finally names, following symbolic links in its last
// component (a link to a link, a relative link, a link to a file still to
// be made).
QByteArray ResolveLinks(QByteArray path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    QByteArray link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.constData(), link.data(), static_cast<std::size_t>(link.size()));
    if (n <= 0 || n >= link.size()) break;
    link.truncate(n);
    if (!link.startsWith('/')) {
      const qsizetype slash = path.lastIndexOf('/');
      if (slash >= 0) link = path.left(slash + 1) + link;
    }
    path = link;
  }
  return path;
}

bool WriteAll(int fd, const QByteArray& data) {
  const char* p = data.constData();
  qsizetype left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, static_cast<std::size_t>(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= n;
  }
  return true;
}

WriteFailure SystemFailure(int error) { return {false, QString::fromLocal8Bit(std::strerror(error))}; }

}  // namespace

std::optional<WriteFailure> WriteWholeFile(const QString& path, const QByteArray& content) {
  if (path.isEmpty()) return SystemFailure(ENOENT);
  const QByteArray target = ResolveLinks(QFile::encodeName(path));
  struct stat existing {};
  const bool exists = ::stat(target.constData(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return WriteFailure{true, {}};
  if (exists && ::access(target.constData(), W_OK) != 0) return SystemFailure(errno);

  QByteArray temporary = target + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return SystemFailure(errno);
  int error = 0;
  if (!WriteAll(fd, content)) error = errno;
  if (error == 0 && ::fchmod(fd, exists ? (existing.st_mode & 07777) : 0644) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.constData());
    return SystemFailure(error);
  }
  return std::nullopt;
}

}  // namespace vestrix::files
