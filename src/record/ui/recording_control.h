#pragma once

#include "protocol/measurement_sample.h"
#include "record/recorder.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace vestrix::record {

class AcquisitionPage;
class RecordingGroup;

// What the recording needs from the program around it.
class RecordingHost {
 public:
  virtual ~RecordingHost() = default;
  virtual ClockReading localClock() = 0;
  // Milliseconds that never go back (for the retries).
  virtual std::int64_t monotonicMs() = 0;
  // A status message's text in the active language.
  virtual QString message(const QString& identifier) = 0;
  // Panel 0 of the status bar; paths: the parts that may be shortened.
  virtual void say(const QString& text, const QStringList& paths) = 0;
  // The save dialog: the chosen path, empty when cancelled.
  virtual QString chooseRecordFile() = 0;
  // Keeps the chosen path in the settings file.
  virtual void rememberRecordFile(const QString& path) = 0;
  // Whether measurements are being requested (the instrument connected).
  virtual bool measuring() = 0;
  virtual QChar decimalSeparator() = 0;
};

// The recording as the window runs it. A run starts and ends with the
// acquisition page's check box; each measurement message is one step,
// which may make a record in the file and a row in the table; the status
// says whether records are made and stored, and the status bar says once
// when storing fails and when it works again. The record file is chosen in
// the recording group's save dialog.
class RecordingControl : public QObject {
  Q_OBJECT

 public:
  RecordingControl(AcquisitionPage& page, RecordingGroup& group, RecordingHost& host, QObject* parent = nullptr);

  // The run's check box changed.
  void runChanged();
  // One measurement message, after the Display page showed it.
  void step(const protocol::MeasurementSample& sample);
  // Active while a run is on, measurements come and records are stored.
  void refreshStatus();
  // The file button: the save dialog, the extension rule, the settings.
  void chooseFile();
  // What the run's check box and the file button call: the two above,
  // unless the window routes them through its handlers (which call back).
  std::function<void()> onRunClicked = [this] { runChanged(); };
  std::function<void()> onFileClicked = [this] { chooseFile(); };

  const RecordingState& state() const { return state_; }
  // The choices of the recording group as they stand (the period's list
  // position, the columns, the file), read when they change.
  const RecordSetup& choices() const { return choices_; }

 private:
  void readChoices();
  void report(const RecordingState::Step& step, const QString& path);

  AcquisitionPage& page_;
  RecordingGroup& group_;
  RecordingHost& host_;
  RecordingState state_;
  RecordSetup choices_;
};

}  // namespace vestrix::record
