#include "record/recorder.h"

#include "support/watchdog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::record {
namespace {

class Recorder : public ::testing::Test {
 protected:
  RecordSetup options(const QString& name = "data.csv") const {
    RecordSetup o;
    o.periodPosition = 0;
    o.columns = {false, false, true, false, false, false, false, false};  // the number only
    o.path = name.startsWith('/') ? name : dir.filePath(name);
    return o;
  }
  std::string file(const QString& name = "data.csv") const {
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<none>";
  }
  void store(const QByteArray& content, const QString& name = "data.csv") {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
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

TEST_F(Recorder, AFullDiskIsReportedAndNothingCrashes) {
  state.runChanged(true);
  const RecordSetup o = options("/dev/full");
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
  RecordSetup o = options();
  o.path.clear();
  EXPECT_TRUE(state.RecordingStep(sample, o).failedNow);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// While it lives, files of this process may grow to at most `bytes`; a write
// beyond is cut short (EFBIG), as on a full disk, and does not end the
// process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

// A record cut short is taken back off: the file never holds half a
// record that would read as a measurement.
TEST_F(Recorder, ARecordCutShortIsTakenBackOff) {
  state.runChanged(true);
  RecordSetup o = options();
  o.columns = {false, false, true, true, false, false, false, false};  // number and Tensometr
  sample.tensValue = 12.5f;
  state.RecordingStep(sample, o);
  ASSERT_EQ(file(), "No.;Tensometr;\r\n0;12.50;\r\n");
  {
    const FileSizeLimit limit(static_cast<rlim_t>(file().size()) + 4);  // room for "1;12" only
    const RecordingState::Step step = state.RecordingStep(sample, o);
    EXPECT_TRUE(step.failedNow);
    EXPECT_EQ(file(), "No.;Tensometr;\r\n0;12.50;\r\n");
  }
  nowMs += RecordFile::kRetryIntervalMs;
  EXPECT_TRUE(state.RecordingStep(sample, o).resumedNow);
  EXPECT_EQ(file(), "No.;Tensometr;\r\n0;12.50;\r\n2;12.50;\r\n");  // record 1 was lost, and said so
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

// Anything but a regular file is refused at once, without blocking: a FIFO
// (with or without a reader), a folder, a device.
struct NotAFileCase {
  const char* name;
  RecordFile::Failure failure;
};

void PrintTo(const NotAFileCase& c, std::ostream* os) { *os << c.name; }

class NotAFile : public Recorder, public ::testing::WithParamInterface<NotAFileCase> {};

TEST_P(NotAFile, IsRefusedWithoutBlocking) {
  const std::string name = GetParam().name;
  QString path = dir.filePath("target");
  int reader = -1;
  if (name == "fifo_without_reader" || name == "fifo_with_reader") {
    ASSERT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    if (name == "fifo_with_reader") reader = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
  } else if (name == "folder") {
    ASSERT_TRUE(QDir(dir.path()).mkdir("target"));
  } else {
    path = "/dev/null";
  }
  const testing::Watchdog watchdog(std::chrono::seconds(20), "recording to " + name);
  state.runChanged(true);
  const RecordingState::Step step = state.RecordingStep(sample, options(path));
  EXPECT_TRUE(step.failedNow);
  EXPECT_FALSE(state.storing());
  EXPECT_EQ(state.failureKind(), GetParam().failure);
  EXPECT_FALSE(state.file().isOpen());
  if (reader >= 0) {
    char byte;
    EXPECT_LE(::read(reader, &byte, 1), 0);  // nothing went into the pipe
    ::close(reader);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, NotAFile,
                         ::testing::Values(NotAFileCase{"fifo_without_reader", RecordFile::Failure::NotRegularFile},
                                           NotAFileCase{"fifo_with_reader", RecordFile::Failure::NotRegularFile},
                                           NotAFileCase{"folder", RecordFile::Failure::System},
                                           NotAFileCase{"device", RecordFile::Failure::NotRegularFile}));

// The file deleted or moved away during a run: noticed within a second, a
// new file begun at the path with the header, the numbering going on.
TEST_F(Recorder, AFileDeletedOrMovedAwayIsBegunAgain) {
  for (const bool moved : {false, true}) {
    state.runChanged(true);
    state.RecordingStep(sample, options());
    state.RecordingStep(sample, options());
    if (moved) {
      ASSERT_TRUE(QFile::rename(dir.filePath("data.csv"), dir.filePath("moved.csv")));
    } else {
      ASSERT_TRUE(QFile::remove(dir.filePath("data.csv")));
    }
    nowMs += RecordFile::kPathCheckIntervalMs;
    const RecordingState::Step step = state.RecordingStep(sample, options());
    EXPECT_TRUE(step.recreatedNow) << moved;
    EXPECT_TRUE(state.storing());
    EXPECT_FALSE(state.RecordingStep(sample, options()).recreatedNow);
    EXPECT_EQ(file(), "No.;\r\n2;\r\n3;\r\n") << moved;
    if (moved) {
      EXPECT_EQ(file("moved.csv"), "No.;\r\n0;\r\n1;\r\n");
    }
    state.runChanged(false);
    ASSERT_TRUE(QFile::remove(dir.filePath("data.csv")));
  }
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
