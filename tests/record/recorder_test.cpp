#include "record/recorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vestrix::record {
namespace {

class Recorder : public ::testing::Test {
 protected:
  RecordOptions options(const QString& name = "data.csv") const {
    RecordOptions o;
    o.periodPosition = 0;
    o.columns = {false, false, true, false, false, false, false, false};  // the number only
    o.path = name.startsWith('/') ? name : dir.filePath(name);
    return o;
  }
  std::string file(const QString& name = "data.csv") const {
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<none>";
  }

  QTemporaryDir dir;
  std::int64_t nowMs = 1000;
  RecordingState state{[] { return ClockReading{2026, 12, 10, 8, 0, 0, 0}; }, [this] { return nowMs; }};
  protocol::MeasurementSample sample;
};

TEST_F(Recorder, NumbersFromZeroAfterEachHeaderAndAppendsRuns) {
  state.runChanged(true);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(state.RecordingStep(sample, options()).recorded);
  state.runChanged(false);
  EXPECT_FALSE(state.file().isOpen());
  state.runChanged(true);
  state.RecordingStep(sample, options());
  state.runChanged(false);
  EXPECT_EQ(file(), "No.;\r\n0;\r\n1;\r\n2;\r\nNo.;\r\n0;\r\n");
}

TEST_F(Recorder, RateDividers) {
  EXPECT_EQ(RateDivider(0), 0u);
  EXPECT_EQ(RateDivider(1), 5u);
  EXPECT_EQ(RateDivider(2), 50u);
  EXPECT_EQ(RateDivider(3), 300u);
  EXPECT_EQ(RateDivider(4), 3000u);
  EXPECT_EQ(RateDivider(-1), 0u);  // no selection: every message, as the first entry
  state.runChanged(true);
  RecordOptions o = options();
  o.periodPosition = 1;  // "~ 10 / s.": the 5th, 10th, ... message
  std::vector<int> recorded;
  for (int message = 1; message <= 12; ++message) {
    if (state.RecordingStep(sample, o).recorded) recorded.push_back(message);
  }
  EXPECT_EQ(recorded, (std::vector<int>{5, 10}));
  o.periodPosition = 0;  // a change takes effect at once
  EXPECT_TRUE(state.RecordingStep(sample, o).recorded);
  EXPECT_TRUE(state.RecordingStep(sample, o).recorded);
}

TEST_F(Recorder, ARunEndingBeforeItsFirstRecordCreatesNoFile) {
  state.runChanged(true);
  state.runChanged(false);
  state.idleStep();
  EXPECT_EQ(file(), "<none>");
}

// A missing folder: nothing written, said once, tried at most once a
// second, and the run goes on into the file once the folder is there.
TEST_F(Recorder, AMissingFolderIsReportedOnceAndRecordingResumes) {
  const RecordOptions o = options("later/data.csv");
  state.runChanged(true);
  RecordingState::Step step = state.RecordingStep(sample, o);
  EXPECT_TRUE(step.failedNow);
  EXPECT_FALSE(state.storing());
  EXPECT_FALSE(state.failure().isEmpty());
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(state.RecordingStep(sample, o).failedNow);  // said once
  ASSERT_TRUE(QDir(dir.path()).mkdir("later"));
  EXPECT_FALSE(state.RecordingStep(sample, o).resumedNow);  // within the second: not tried
  nowMs += RecordFile::kRetryIntervalMs;
  step = state.RecordingStep(sample, o);
  EXPECT_TRUE(step.resumedNow);
  EXPECT_TRUE(state.storing());
  state.RecordingStep(sample, o);
  // The run's header comes first, numbering from 0, though earlier records were lost.
  EXPECT_EQ(file("later/data.csv"), "No.;\r\n0;\r\n1;\r\n");
}

TEST_F(Recorder, AFullDiskIsReportedAndNothingCrashes) {
  state.runChanged(true);
  const RecordOptions o = options("/dev/full");
  const RecordingState::Step step = state.RecordingStep(sample, o);
  EXPECT_TRUE(step.recorded);
  EXPECT_TRUE(step.failedNow);
  EXPECT_FALSE(state.storing());
  nowMs += 5000;
  EXPECT_FALSE(state.RecordingStep(sample, o).failedNow);
  EXPECT_FALSE(state.storing());
  state.runChanged(false);
  EXPECT_TRUE(state.storing());  // a new run starts with a clean slate
}

TEST_F(Recorder, AnEmptyPathIsAFailureNotAFile) {
  state.runChanged(true);
  RecordOptions o = options();
  o.path.clear();
  EXPECT_TRUE(state.RecordingStep(sample, o).failedNow);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace vestrix::record
