// Renders every visible page of the main window to PNG files, offscreen:
//   vestrix-screenshots DIR
#include "app/fonts.h"
#include "app/main_window.h"
#include "chart/charts_page.h"
#include "hid/simulated/sim_bus.h"
#include "i18n/language_combo.h"
#include "options/command_line.h"
#include "simulated_instrument/demo_bus.h"
#include "simulated_instrument/instrument_model.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace hid = vestrix::hid;

namespace {

// What the screen shows where a platform draws on one (fonts as that
// system renders them on screen); the widget's own rendering offscreen.
QPixmap Picture(QWidget& window) {
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return window.grab();
  QApplication::processEvents();
  return window.screen()->grabWindow(window.winId());
}

}  // namespace

int main(int argc, char** argv) {
  const vestrix::options::ProgramInfo info{"vestrix-screenshots",
                                           "Renders every visible page of the main window, in English and in Polish, "
                                           "to PNG files in DIR,\nwithout a display.",
                                           "",
                                           {{"--platform NAME",
                                             "draw on this Qt platform instead (\"windows\": as Windows\n"
                                             "draws the window on its screen)"}},
                                           "DIR"};
  const vestrix::options::Parsed parsed = vestrix::options::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  if (parsed.operands.size() != 1) {
    std::fprintf(stderr, "usage: vestrix-screenshots [--help] [--version] [--platform NAME] DIR\n");
    return 2;
  }
  // An option, not QT_QPA_PLATFORM: wine does not hand QT_ variables on.
  qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(parsed.value("--platform").value_or("offscreen")));
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  vestrix::app::LoadApplicationFonts();
  const QDir dir(QString::fromStdString(parsed.operands.front()));
  QDir().mkpath(dir.path());

  // Settings of its own (English first, no recording), against the
  // simulated instrument, so that the pages show live values.
  QTemporaryDir settings;
  QFile ini(settings.filePath(QStringLiteral("config.ini")));
  if (ini.open(QIODevice::WriteOnly)) ini.write("[Options]\r\nLanguage=2\r\nAutoSave=0\r\nShowCharts=1\r\n");
  ini.close();
  const auto platform = vestrix::sim::MakeDemoBus();
  vestrix::app::TFMain window(*platform, ini.fileName());
  window.show();
  QTabWidget* pages = window.PageControl1;
  int written = 0;
  for (const auto& [language, suffix] : {std::pair{2, "en"}, std::pair{1, "pl"}}) {
    window.Translator1->setActiveLanguage(language);
    window.LangCombo1->setCurrentIndex(language - 1);
    QEventLoop wait;
    QTimer::singleShot(1000, &wait, &QEventLoop::quit);
    wait.exec();
    for (int i = 0; i < pages->count(); ++i) {
      if (!pages->isTabVisible(i)) continue;
      pages->setCurrentIndex(i);
      QApplication::processEvents();
      const QString file =
          dir.filePath(QStringLiteral("%1_%2_%3.png").arg(i + 1).arg(pages->widget(i)->objectName(), suffix));
      if (!Picture(window).save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
      }
      std::printf("%s\n", qPrintable(file));
      ++written;
    }
    // The Charts page stopped, with the readout where the pointer rests.
    pages->setCurrentWidget(window.TabSheet2);
    window.BitBtn1Click();
    vestrix::chart::PlotView* plot = window.TabSheet2->plot();
    const QPointF at(plot->plotRect().left() + plot->plotRect().width() * 0.6, plot->plotRect().center().y());
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    QApplication::processEvents();
    const QString stopped = dir.filePath(QStringLiteral("2_TabSheet2_stopped_%1.png").arg(suffix));
    if (!Picture(window).save(stopped)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(stopped));
      return 1;
    }
    std::printf("%s\n", qPrintable(stopped));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(plot, &leave);
    window.BitBtn1Click();
  }
  // A batch of captured pull tests, one of them chosen: a window of its own
  // without an instrument, fed the simulated tests' samples directly.
  QFile testsIni(settings.filePath(QStringLiteral("tests.ini")));
  if (testsIni.open(QIODevice::WriteOnly)) {
    testsIni.write(
        "[Options]\r\nLanguage=2\r\nAutoSave=0\r\nShowCharts=1\r\nCaptureArmed=1\r\nCaptureLower=500\r\n"
        "CaptureUpper=800\r\nCaptureBreak=50\r\nChartSpan=1\r\n");
  }
  testsIni.close();
  hid::sim::SimBus empty;
  vestrix::app::TFMain tests(empty, testsIni.fileName());
  tests.show();
  tests.PageControl1->setCurrentWidget(tests.TabSheet2);
  vestrix::sim::InstrumentModel model;
  model.setSignal(vestrix::sim::Signal::Tests);
  double seconds = 0;
  model.setSignalTime([&] { return seconds; });
  for (int i = 0; i < 4400; ++i) {
    seconds = i * 0.015;
    tests.TabSheet2->addMeasurement(model.measure(), 1000000 + i * 15);
  }
  tests.TabSheet2->showTest(4);
  for (const auto& [language, suffix] : {std::pair{2, "en"}, std::pair{1, "pl"}}) {
    tests.Translator1->setActiveLanguage(language);
    QApplication::processEvents();
    const QString file = dir.filePath(QStringLiteral("2_TabSheet2_tests_%1.png").arg(suffix));
    if (!Picture(tests).save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
    std::printf("%s\n", qPrintable(file));
  }
  return written > 0 ? 0 : 1;
}
