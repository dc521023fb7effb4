// Renders every visible page of the main window to PNG files, offscreen:
//   vestrix-screenshots DIR
#include "app/demo_platform.h"
#include "app/fonts.h"
#include "app/main_window.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  vestrix::app::LoadApplicationFonts();
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(dir.path());

  // Against the simulated instrument, so that the pages show live values.
  const auto platform = vestrix::app::MakeDemoPlatform();
  vestrix::app::TFMain window(*platform);
  window.show();
  QTimer timer;
  QEventLoop wait;
  QTimer::singleShot(1000, &wait, &QEventLoop::quit);
  wait.exec();
  QTabWidget* pages = window.PageControl1;
  int written = 0;
  for (int i = 0; i < pages->count(); ++i) {
    if (!pages->isTabVisible(i)) continue;
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    const QString file = dir.filePath(QStringLiteral("%1_%2.png").arg(i + 1).arg(pages->widget(i)->objectName()));
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
    std::printf("%s\n", qPrintable(file));
    ++written;
  }
  return written > 0 ? 0 : 1;
}
