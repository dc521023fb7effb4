#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vestrix::files {

// Why a whole-file write failed.
struct WriteFailure {
  bool notRegularFile = false;  // the path names a folder, a FIFO, a device: never replaced
  QString reason;               // the system's reason otherwise
};

// Writes a file whole, or leaves it as it was: the new content goes to a
// file beside the target, reaches the disk, and is renamed over it, so a
// crash or a full disk never leaves half a file. A path that is a symbolic
// link is written through to its target (the link stays); a path that
// names anything but a regular file is refused. Nothing when it worked.
std::optional<WriteFailure> WriteWholeFile(const QString& path, const QByteArray& content);

}  // namespace vestrix::files
