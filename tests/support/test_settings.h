#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace vestrix::testing {

// A settings file of a test's own, in a folder of its own: English, as the
// window is laid out, with no recording at start and records, if any,
// going to that folder. Extra lines join the "Options" section.
class TestSettings {
 public:
  explicit TestSettings(const QByteArray& extraOptions = {}) {
    QFile file(path());
    if (file.open(QIODevice::WriteOnly)) {
      file.write("[Options]\r\nLanguage=2\r\nAutoSave=0\r\nFileName=" + dir.filePath("data.csv").toUtf8() + "\r\n" +
                 extraOptions);
    }
  }

  QString path() const { return dir.filePath("config.ini"); }
  QString folder() const { return dir.path(); }

 private:
  QTemporaryDir dir;
};

}  // namespace vestrix::testing
