// Killed in the middle of a run (a process of its own, SIGKILL), the
// program leaves every record it made complete in the file.
#include "support/child_process.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace vestrix::record {
namespace {

// Killed in the middle of a run, the program leaves every record it made
// complete in the file.
TEST(RecordingKill, EveryRecordMadeIsCompleteInTheFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("killed.csv");
  qputenv("VESTRIX_RECORD_FILE", path.toLocal8Bit());
  testing::ChildProcess program(RECORD_PROBE);
  ASSERT_TRUE(program.started());
  ASSERT_EQ(program.readLine(20000), "recording");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (QFileInfo(path).size() < 2000 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  program.signal(SIGKILL);
  EXPECT_EQ(program.wait(), -1);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray content = f.readAll();
  ASSERT_GE(content.size(), 2000);
  ASSERT_TRUE(content.endsWith("\r\n"));
  QList<QByteArray> lines = content.split('\n');
  lines.removeLast();  // after the last CR LF
  ASSERT_EQ(lines.front(), "Date;Time;No.;Enkoder;\r");
  for (qsizetype i = 1; i < lines.size(); ++i) {
    ASSERT_TRUE(lines[i].endsWith('\r')) << "line " << i << " is not complete";
    const QList<QByteArray> fields = lines[i].chopped(1).split(';');
    ASSERT_EQ(fields.size(), 5) << lines[i].toStdString();
    ASSERT_TRUE(fields[4].isEmpty()) << lines[i].toStdString();
    EXPECT_EQ(fields[2].toInt(), i - 1) << "gap or repeat at line " << i;
  }
}

}  // namespace
}  // namespace vestrix::record
