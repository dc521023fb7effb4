#include "settings/config_location.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace vestrix::settings {

QString ConfigFilePath(const QString& executableFolder) {
  const QString beside = QDir(executableFolder).absolutePath() + QDir::separator() + QStringLiteral("config.ini");
  if (::access(QFile::encodeName(executableFolder).constData(), W_OK) == 0) return beside;
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
  const QString folder = base + QStringLiteral("/vestrix-pc");
  QDir().mkpath(folder);  // a failure shows when the settings are saved
  return folder + QStringLiteral("/config.ini");
}

}  // namespace vestrix::settings
