#pragma once

#include "record/recorder.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vestrix::record {

// A recording into a folder of the test's own, on a clock the test moves.
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

}  // namespace vestrix::record
