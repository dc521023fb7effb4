#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vestrix::ui {

// The file a save dialog's choice will really write: the extension added
// (files::WithExtension),
// and, when that file exists, confirmReplace asked about it (not about the
// name as typed). Empty when nothing is to be written.
QString ConfirmedSavePath(const QString& chosen, const QString& extension,
                          const std::function<bool(const QString& path)>& confirmReplace);

// The save dialog: its title, the folder it opens in, its filter. It asks
// about nothing itself: the extension is added afterwards, and the file
// that will be written is what a question must be about.
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter);

// "Replace it?", Yes or No (No by default).
bool AskReplace(QWidget* parent, const QString& title, const QString& question);

// The folder a file dialog opens in for a file: its folder where there is
// one, else the given fallback.
QString FolderOf(const QString& path, const QString& fallback = {});

}  // namespace vestrix::ui
