// A FIFO offered for reading back is refused at once: it would block the
// reader for good.
#include "record/record_reader.h"

#include "support/watchdog.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vestrix::record {
namespace {

struct Collected : RecordSink {
  void runStarted(const ColumnChoice&) override {}
  void recordRead(const ReadRecord&) override {}
};

TEST(RecordFileRead, RefusesWhatIsNoFileWithoutBlocking) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath("fifo");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  const testing::Watchdog watchdog(std::chrono::seconds(20), "reading a FIFO");
  Collected c;
  RecordReader reader(c);
  EXPECT_TRUE(ReadRecordFile(fifo, reader).notRegularFile);
  EXPECT_TRUE(ReadRecordFile(dir.path(), reader).notRegularFile);
  const FileRead missing = ReadRecordFile(dir.filePath("missing.csv"), reader);
  EXPECT_FALSE(missing.opened);
  EXPECT_FALSE(missing.error.isEmpty());
}

}  // namespace
}  // namespace vestrix::record
