#include "ui/path_elision.h"

#include <QFontMetrics>

namespace vestrix::ui {

namespace {

// The text with every path shortened to at most budget pixels.
QString WithPathsIn(QString text, const QStringList& paths, const QFontMetrics& metrics, int budget) {
  for (const QString& path : paths) {
    if (path.isEmpty()) continue;
    text.replace(path, metrics.elidedText(path, Qt::ElideMiddle, budget));
  }
  return text;
}

}  // namespace

QString FitNamingPaths(const QString& text, const QStringList& paths, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  // The largest budget per path that fits; a path keeps at least its "…".
  int low = metrics.horizontalAdvance(QStringLiteral("\u2026"));
  int high = low;
  for (const QString& path : paths) high = std::max(high, metrics.horizontalAdvance(path));
  QString best = WithPathsIn(text, paths, metrics, low);
  if (metrics.horizontalAdvance(best) > width) return metrics.elidedText(best, Qt::ElideRight, width);
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    const QString candidate = WithPathsIn(text, paths, metrics, middle);
    if (metrics.horizontalAdvance(candidate) <= width) {
      low = middle;
      best = candidate;
    } else {
      high = middle - 1;
    }
  }
  return best;
}

}  // namespace vestrix::ui
