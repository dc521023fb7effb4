#include "settings/config_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace vestrix::settings {

QString InstalledBinFolder() { return QStringLiteral(VESTRIX_INSTALL_BINDIR); }

QString ConfigFilePath(const QString& executableFolder, const QString& fileName, const QString& installedBinFolder) {
  const QString beside = QDir(executableFolder).absolutePath() + QDir::separator() + fileName;
  const QString canonical = QFileInfo(executableFolder).canonicalFilePath();
  const bool installed = !canonical.isEmpty() && canonical == QFileInfo(installedBinFolder).canonicalFilePath();
  if (!installed && ::access(QFile::encodeName(executableFolder).constData(), W_OK) == 0) return beside;
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
  const QString folder = base + QStringLiteral("/vestrix-pc");
  QDir().mkpath(folder);  // a failure shows when the settings are saved
  return folder + QLatin1Char('/') + fileName;
}

}  // namespace vestrix::settings
