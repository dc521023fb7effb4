#include "record/ui/recording_control.h"

#include "record/ui/acquisition_page.h"
#include "record/ui/recording_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace vestrix::record {

RecordingControl::RecordingControl(AcquisitionPage& page, RecordingGroup& group, RecordingHost& host, QObject* parent)
    : QObject(parent),
      page_(page),
      group_(group),
      host_(host),
      state_([this] { return host_.localClock(); }, [this] { return host_.monotonicMs(); }) {
  connect(&page_, &AcquisitionPage::runToggled, this, [this] { onRunClicked(); });
  connect(group_.fileButton(), &QPushButton::clicked, this, [this] { onFileClicked(); });
  // The choices are read when they change, not at every measurement.
  readChoices();
  connect(group_.periodList(), &QComboBox::currentIndexChanged, this, [this] { readChoices(); });
  connect(group_.fileEdit(), &QLineEdit::textChanged, this, [this] { readChoices(); });
  for (QCheckBox* box : group_.columnBoxes()) connect(box, &QCheckBox::toggled, this, [this] { readChoices(); });
}

void RecordingControl::readChoices() {
  choices_.periodPosition = group_.periodList()->currentIndex();
  choices_.columns = group_.columns();
  choices_.path = group_.fileEdit()->text();
}

void RecordingControl::runChanged() {
  const bool running = page_.runBox()->isChecked();
  state_.runChanged(running);
  if (running) page_.rows()->reset();
  group_.fileButton()->setEnabled(!running);
  refreshStatus();
}

void RecordingControl::step(const protocol::MeasurementSample& sample) {
  if (!page_.runBox()->isChecked()) {
    state_.idleStep();
  } else {
    RecordSetup current = choices_;
    current.decimalSeparator = host_.decimalSeparator();
    const RecordingState::Step step = state_.RecordingStep(sample, current);
    if (step.recorded && page_.showInTableBox()->isChecked()) page_.rows()->addRow(sample);
    report(step, current.path);
  }
  refreshStatus();
}

// Once per failure and once when it is over, not once per measurement.
void RecordingControl::report(const RecordingState::Step& step, const QString& path) {
  const QStringList paths{path};
  if (step.recreatedNow) host_.say(host_.message(QStringLiteral("IDS_REC_RECREATED")).arg(path), paths);
  if (step.failedNow) {
    host_.say(state_.failureKind() == RecordFile::Failure::NotRegularFile
                  ? host_.message(QStringLiteral("IDS_REC_NOT_FILE")).arg(path)
                  : host_.message(QStringLiteral("IDS_REC_FAILED")).arg(path, state_.failure()),
              paths);
  }
  if (step.resumedNow) host_.say(host_.message(QStringLiteral("IDS_REC_RESUMED")).arg(path), paths);
}

void RecordingControl::refreshStatus() {
  page_.showStatus(page_.runBox()->isChecked() && host_.measuring() && state_.storing());
}

void RecordingControl::chooseFile() {
  const QString chosen = host_.chooseRecordFile();
  if (chosen.isEmpty()) return;
  const QString path = WithCsvExtension(chosen);
  group_.fileEdit()->setText(path);
  // Records are appended to a file that exists: the dialog asked nothing,
  // so the status bar says it.
  if (QFileInfo::exists(path)) host_.say(host_.message(QStringLiteral("IDS_REC_APPENDS")).arg(path), {path});
  host_.rememberRecordFile(path);
}

}  // namespace vestrix::record
