#include "app/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace vestrix::app {

void LoadApplicationFonts() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
  for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
    QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  }
}

}  // namespace vestrix::app
