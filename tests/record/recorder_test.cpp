#include "record/recorder_fixture.h"

#include <QDir>
#include <QFile>

namespace vestrix::record {
namespace {

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
  RecordSetup o = options();
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
  const RecordSetup o = options("later/data.csv");
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

TEST_F(Recorder, AnEmptyPathIsAFailureNotAFile) {
  state.runChanged(true);
  RecordSetup o = options();
  o.path.clear();
  EXPECT_TRUE(state.RecordingStep(sample, o).failedNow);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// A file that another program (or a power cut) left in the middle of a
// line: the next run's header starts on a line of its own.
TEST_F(Recorder, AFileEndingInTheMiddleOfALineGetsALineBreakFirst) {
  store("No.;\r\n0;\r\n3;12");
  state.runChanged(true);
  state.RecordingStep(sample, options());
  EXPECT_EQ(file(), "No.;\r\n0;\r\n3;12\r\nNo.;\r\n0;\r\n");
  store("No.;\r\n0;\n");  // a line feed alone ends a line too
  state.runChanged(false);
  state.runChanged(true);
  state.RecordingStep(sample, options());
  EXPECT_EQ(file(), "No.;\r\n0;\nNo.;\r\n0;\r\n");
}

// Lines always match the header above them: changed columns during a run
// bring the header again, and the numbering goes on.
TEST_F(Recorder, ColumnsChangedDuringARunWriteTheHeaderAgain) {
  state.runChanged(true);
  RecordSetup o = options();
  state.RecordingStep(sample, o);
  state.RecordingStep(sample, o);
  o.columns[static_cast<int>(Column::Out1)] = true;
  state.RecordingStep(sample, o);
  state.RecordingStep(sample, o);
  o.columns[static_cast<int>(Column::Out1)] = false;
  state.RecordingStep(sample, o);
  EXPECT_EQ(file(), "No.;\r\n0;\r\n1;\r\nNo.;OUT1;\r\n2;0;\r\n3;0;\r\nNo.;\r\n4;\r\n");
}

}  // namespace
}  // namespace vestrix::record
