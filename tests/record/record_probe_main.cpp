// The real program recording every measurement of the simulated instrument
// into the file named by VESTRIX_RECORD_FILE; says "recording" once the run
// is on, so that a test can kill it in the middle.
#include "app/main_window.h"
#include "app/program.h"
#include "app/program_settings_page.h"
#include "record/ui/acquisition_page.h"
#include "record/ui/recording_group.h"
#include "simulated_instrument/demo_bus.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include <cstdio>
#include <cstdlib>

int main(int, char** argv) {
  const QString file = QString::fromLocal8Bit(std::getenv("VESTRIX_RECORD_FILE"));
  vestrix::app::ProgramHooks hooks;
  hooks.configFilePath = QFileInfo(file).dir().filePath(QStringLiteral("config.ini"));
  hooks.onShown = [file](vestrix::app::TFMain& window) {
    window.TabSheet5->recordingGroup()->fileEdit()->setText(file);
    window.TabSheet3->runBox()->setChecked(true);
    std::puts("recording");
    std::fflush(stdout);
  };
  return vestrix::app::RunProgram(
      argv[0], [] { return vestrix::sim::MakeDemoBus(); }, hooks);
}
