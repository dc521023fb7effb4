#pragma once

#include <QString>
#include <QStringList>

class QFontMetrics;

namespace vestrix::ui {

// A message fitted into a width: when it is too wide, the paths it names
// are shortened in their middle (all alike) so that the sentence around
// them, and the reason it gives, stay whole; only when the paths are down
// to "…" is the end of the message cut.
QString FitNamingPaths(const QString& text, const QStringList& paths, const QFontMetrics& metrics, int width);

}  // namespace vestrix::ui
