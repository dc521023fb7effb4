#include "settings/config_location.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace vestrix::settings {
namespace {

class ConfigLocation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(programs()));
    // The user's folder of settings, as Linux (XDG) and Windows (APPDATA) name it.
    for (const char* name : {"XDG_CONFIG_HOME", "APPDATA"}) {
      previous_.push_back(qgetenv(name));
      qputenv(name, dir.filePath("home/.config").toLocal8Bit());
    }
  }
  void TearDown() override {
    qputenv("XDG_CONFIG_HOME", previous_[0]);
    qputenv("APPDATA", previous_[1]);
  }
  QString programs() const { return dir.filePath("programs"); }

  QTemporaryDir dir;

 private:
  std::vector<QByteArray> previous_;
};

TEST_F(ConfigLocation, BesideACopiedProgramUnderItsOwnName) {
  EXPECT_EQ(ConfigFilePath(programs(), "config.ini", QDir::rootPath() + "usr/bin"), programs() + "/config.ini");
  EXPECT_EQ(ConfigFilePath(programs(), "demo.ini", QDir::rootPath() + "usr/bin"), programs() + "/demo.ini");
}

// Run from where the package installs it, the program keeps its settings in
// the user's folder, though the folder be writable (as it is for root).
TEST_F(ConfigLocation, AnInstalledProgramNeverWritesBesideItself) {
  EXPECT_EQ(ConfigFilePath(programs(), "config.ini", programs()), dir.filePath("home/.config/vestrix-pc/config.ini"));
  EXPECT_EQ(ConfigFilePath(programs() + "/", "demo.ini", programs()), dir.filePath("home/.config/vestrix-pc/demo.ini"));
  EXPECT_TRUE(QDir(dir.filePath("home/.config/vestrix-pc")).exists());
}

}  // namespace
}  // namespace vestrix::settings
