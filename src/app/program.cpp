#include "app/program.h"

#include "app/error_box.h"
#include "app/fonts.h"
#include "app/main_window.h"
#include "hid/platform.h"
#include "loop/process_setup.h"
#include "loop/signal_watch.h"

#include <QApplication>

#include <memory>
#include <string>

namespace vestrix::app {

namespace {

// An error that escapes an event handler ends in the error box, and the
// event loop goes on.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (...) {
      ReportUncaught(std::current_exception());
      return false;
    }
  }
};

}  // namespace

int RunProgram(const char* programPath, const PlatformFactory& makePlatform, const ProgramHooks& hooks) {
  // A file size limit makes the write fail, which the recorder reports,
  // instead of ending the program.
  loop::PrepareProcess();
  std::string program = programPath;
  int argc = 1;
  char* argv[] = {program.data(), nullptr};
  try {
    GuardedApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    LoadApplicationFonts();
    RunGuarded([&] {
      const std::unique_ptr<hid::Platform> platform = makePlatform();
      auto window = std::make_unique<TFMain>(*platform, hooks.configFilePath, hooks.files);
      window->formCloseObserver = hooks.onFormClose;
      window->setCaptionNote(hooks.captionNote);
      // A termination signal closes the window as the user's close does.
      loop::SignalWatch termination([&window] { window->close(); });
      // Windows asks before a log-off or shutdown and then ends the program
      // with its window open: the settings are written when it asks, and
      // at the latest as the program is ended.
      QObject::connect(&application, &QGuiApplication::commitDataRequest, window.get(),
                       [&window] { window->SessionEnding(); });
      QObject::connect(&application, &QCoreApplication::aboutToQuit, window.get(),
                       [&window] { window->SessionEnding(); });
      window->show();
      if (hooks.onShown) hooks.onShown(*window);
      QApplication::exec();
    });
  } catch (...) {
    ReportUncaught(std::current_exception());
  }
  return 0;
}

}  // namespace vestrix::app
