// The recorder where Linux's files behave as only they do: a full disk
// (/dev/full), a file size limit, FIFOs and devices named as the record
// file, a file deleted or moved away while it is open.
#include "record/recorder_fixture.h"

#include "support/watchdog.h"

#include <QDir>

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::record {
namespace {

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

// Anything but a regular file is refused at once, without blocking: a FIFO
// (with or without a reader), a folder, a device.
struct NotAFileCase {
  const char* name;
  RecordFile::Failure failure;
};

void PrintTo(const NotAFileCase& c, std::ostream* os) { *os << c.name; }

class NotAFile : public Recorder, public ::testing::WithParamInterface<NotAFileCase> {};

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

}  // namespace
}  // namespace vestrix::record
