#include "settings/config_location.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace vestrix::settings {

// Where Windows installs programs: what runs from there never writes
// beside itself, whoever runs it (an administrator could).
QString InstalledBinFolder() {
  const QString programFiles = qEnvironmentVariable("ProgramW6432", qEnvironmentVariable("ProgramFiles"));
  return programFiles.isEmpty() ? QStringLiteral("C:/Program Files") : QDir::fromNativeSeparators(programFiles);
}

// Beside the program when its folder can be written (a file made and
// removed says so: Windows' permissions are not the file's attributes);
// otherwise %APPDATA%\vestrix-pc.
QString ConfigFilePath(const QString& executableFolder, const QString& fileName, const QString& installedBinFolder) {
  const QString beside = QDir(executableFolder).absoluteFilePath(fileName);
  const QString canonical = QFileInfo(executableFolder).canonicalFilePath();
  const QString installed = QFileInfo(installedBinFolder).canonicalFilePath();
  const bool underInstalled = !canonical.isEmpty() && !installed.isEmpty() &&
                              (canonical.compare(installed, Qt::CaseInsensitive) == 0 ||
                               canonical.startsWith(installed + QLatin1Char('/'), Qt::CaseInsensitive));
  if (!underInstalled) {
    QTemporaryFile probe(QDir(executableFolder).absoluteFilePath(QStringLiteral("vestrix-probe-XXXXXX")));
    if (probe.open()) return beside;
  }
  QString base = qEnvironmentVariable("APPDATA");
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/AppData/Roaming");
  const QString folder = QDir::fromNativeSeparators(base) + QStringLiteral("/vestrix-pc");
  QDir().mkpath(folder);  // a failure shows when the settings are saved
  return folder + QLatin1Char('/') + fileName;
}

}  // namespace vestrix::settings
