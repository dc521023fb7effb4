#include "app/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace vestrix::app {

void LoadApplicationFonts() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
  // The regular face only: this bold face draws thinner strokes than the
  // regular one, while the bold that Qt makes from the regular face is
  // plainly bold, with the same metrics.
  QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
}

}  // namespace vestrix::app
