#include "device/linux/udev_rule.h"

#include <QDir>
#include <QFileInfo>

namespace vestrix::device {

namespace {

const QString kRuleName = QStringLiteral("69-vestrix.rules");

}  // namespace

QString UdevRulePath(const QString& executableFolder) {
  const QString installed = QDir::cleanPath(executableFolder + QStringLiteral("/../lib/udev/rules.d/") + kRuleName);
  if (QFileInfo::exists(installed)) return installed;
  const QString source = QStringLiteral(VESTRIX_SOURCE_DIR "/packaging/") + kRuleName;
  if (QFileInfo::exists(source)) return source;
  return QStringLiteral("packaging/") + kRuleName;
}

}  // namespace vestrix::device
