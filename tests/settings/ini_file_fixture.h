#pragma once

#include "settings/ini_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vestrix::settings {

// A settings file in a folder of the test's own.
class Ini : public ::testing::Test {
 protected:
  QString path() const { return dir.filePath("config.ini"); }
  void store(const QByteArray& content) {
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
  }
  QByteArray stored() const {
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dir;
};

}  // namespace vestrix::settings
