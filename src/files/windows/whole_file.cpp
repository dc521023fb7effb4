#include "files/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace vestrix::files {

// The new content goes to a file beside the target and replaces it at once
// (QSaveFile: written, flushed to the disk, renamed over the target), so a
// crash or a full disk never leaves half a file.
std::optional<WriteFailure> WriteWholeFile(const QString& path, const QByteArray& content) {
  if (path.isEmpty()) return WriteFailure{false, QStringLiteral("No such file or directory")};
  const QFileInfo named(path);
  // A link is written through to its target, and the link stays.
  const QString target = named.isSymLink() ? named.symLinkTarget() : named.absoluteFilePath();
  const QFileInfo info(target);
  if (info.exists() && !info.isFile()) return WriteFailure{true, {}};
  QSaveFile file(target);
  // Not the folder's default of writing in place when it cannot rename.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
    return WriteFailure{false, file.errorString()};
  }
  return std::nullopt;
}

}  // namespace vestrix::files
