// The settings keys pinned: names, sections, defaults and order, which is
// the order of loading and of saving at close.
#include "settings/settings_keys.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vestrix::settings {
namespace {

TEST(SettingsKeys, TheFilesKeysInOrderWithTheirDefaults) {
  struct Pinned {
    const char* section;
    const char* name;
    Value defaultValue;
    Written written;
  };
  const Pinned kPinned[] = {
      {"Options", "Checkbox_DataAcquistion", false, Written::AtClose},
      {"Options", "DataAcquistionSpeed", 0, Written::AtClose},
      {"Options", "FileName", QStringLiteral("data.csv"), Written::WhenPicked},
      {"Options", "SaveDate", true, Written::AtClose},
      {"Options", "SaveTime", true, Written::AtClose},
      {"Options", "SaveDataCnt", true, Written::AtClose},
      {"Options", "SaveTens", false, Written::AtClose},
      {"Options", "SaveCnt", true, Written::AtClose},
      {"Options", "SaveAdc", false, Written::AtClose},
      {"Options", "SaveOut1", false, Written::AtClose},
      {"Options", "SaveOut2", false, Written::AtClose},
      {"Options", "AutoSave", true, Written::AtClose},
      {"Screen", "ScreenLeft", 10, Written::AtClose},
      {"Screen", "ScreenTop", 10, Written::AtClose},
      {"Options", "DataTime", 0, Written::AtClose},
      {"Options", "Language", 1, Written::AtClose},
  };
  ASSERT_GE(Keys().size(), std::size(kPinned));
  for (std::size_t i = 0; i < std::size(kPinned); ++i) {
    SCOPED_TRACE(kPinned[i].name);
    EXPECT_STREQ(Keys()[i].section, kPinned[i].section);
    EXPECT_STREQ(Keys()[i].name, kPinned[i].name);
    EXPECT_EQ(Keys()[i].defaultValue, kPinned[i].defaultValue);
    EXPECT_EQ(Keys()[i].written, kPinned[i].written);
    EXPECT_EQ(&Spec(Keys()[i].key), &Keys()[i]);
  }
}

TEST(SettingsKeys, ReadGivesTheDefaultForWhatIsMissingOrNoValueOfItsKind) {
  QTemporaryDir dir;
  IniFile file(dir.filePath("config.ini"));
  file.writeString("Options", "SaveTens", "yes");
  file.writeString("Screen", "ScreenLeft", "-3");
  EXPECT_EQ(Read(file, Spec(Key::SaveTens)), Value(false));
  EXPECT_EQ(Read(file, Spec(Key::ScreenLeft)), Value(-3));
  EXPECT_EQ(Read(file, Spec(Key::RecordFile)), Value(QStringLiteral("data.csv")));
  Write(file, Spec(Key::RecordFile), QStringLiteral("x.csv"));
  Write(file, Spec(Key::AutoStart), false);
  EXPECT_EQ(Read(IniFile(dir.filePath("config.ini")), Spec(Key::RecordFile)), Value(QStringLiteral("x.csv")));
  EXPECT_EQ(Read(IniFile(dir.filePath("config.ini")), Spec(Key::AutoStart)), Value(false));
}

}  // namespace
}  // namespace vestrix::settings
