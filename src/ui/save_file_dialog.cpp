#include "ui/save_file_dialog.h"

#include "files/file_name.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>

namespace vestrix::ui {

QString ConfirmedSavePath(const QString& chosen, const QString& extension,
                          const std::function<bool(const QString&)>& confirmReplace) {
  if (chosen.isEmpty()) return {};
  const QString path = files::WithExtension(chosen, extension);
  // A link, a folder, a device: asked about too (writing refuses what is no file).
  const QFileInfo target(path);
  if ((target.exists() || target.isSymLink()) && !confirmReplace(path)) return {};
  return path;
}

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

bool AskReplace(QWidget* parent, const QString& title, const QString& question) {
  return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

QString FolderOf(const QString& path, const QString& fallback) {
  if (path.isEmpty()) return fallback;
  const QFileInfo info(path);
  return info.absoluteDir().exists() ? info.absolutePath() : fallback;
}

}  // namespace vestrix::ui
