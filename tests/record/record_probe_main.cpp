// The real program recording every measurement of the simulated instrument
// into the file named by VESTRIX_RECORD_FILE; says "recording" once the run
// is on, so that a test can kill it in the middle.
#include "app/demo_platform.h"
#include "app/main_window.h"
#include "app/program.h"
#include "record/acquisition_page.h"
#include "record/recording_options.h"

#include <QCheckBox>
#include <QLineEdit>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  vestrix::app::ProgramHooks hooks;
  hooks.onShown = [](vestrix::app::TFMain& window) {
    window.RecordOptions->Edit_FileName->setText(QString::fromLocal8Bit(std::getenv("VESTRIX_RECORD_FILE")));
    window.Acquisition->Checkbox_Acquistion->setChecked(true);
    std::puts("recording");
    std::fflush(stdout);
  };
  return vestrix::app::RunProgram(argc, argv, vestrix::app::MakeDemoPlatform, hooks);
}
