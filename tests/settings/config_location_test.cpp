#include "settings/config_location.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vestrix::settings {
namespace {

class ConfigLocation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(programs()));
    previous_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath("home/.config").toLocal8Bit());
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", previous_); }
  QString programs() const { return dir.filePath("programs"); }

  QTemporaryDir dir;

 private:
  QByteArray previous_;
};

TEST_F(ConfigLocation, BesideACopiedProgramUnderItsOwnName) {
  EXPECT_EQ(ConfigFilePath(programs(), "config.ini", "/usr/bin"), programs() + "/config.ini");
  EXPECT_EQ(ConfigFilePath(programs(), "demo.ini", "/usr/bin"), programs() + "/demo.ini");
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
