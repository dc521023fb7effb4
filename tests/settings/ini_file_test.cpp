#include "settings/ini_file_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace vestrix::settings {
namespace {

struct ReadCase {
  const char* name;
  QByteArray file;
  const char* section;
  const char* key;
  int integer;     // with default 77
  bool boolean;    // with default false
  QString string;  // with default "dflt"
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class Reading : public Ini, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(Reading, FollowsTheRules) {
  const ReadCase& c = GetParam();
  store(c.file);
  const IniFile ini(path());
  EXPECT_EQ(ini.readInteger(c.section, c.key, 77), c.integer);
  EXPECT_EQ(ini.readBool(c.section, c.key, false), c.boolean);
  EXPECT_EQ(ini.readString(c.section, c.key, "dflt"), c.string);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Reading,
    ::testing::Values(
        ReadCase{"plain", "[Options]\r\nSaveTens=2\r\n", "Options", "SaveTens", 2, true, "2"},
        ReadCase{"other_case", "[OPTIONS]\nlanguage=2\n", "Options", "Language", 2, true, "2"},
        ReadCase{"blanks_and_quotes", "[Options]\n  Name =  \"  quoted \"  \n", "Options", "Name", 77, false,
                 "  quoted "},
        ReadCase{"single_quotes", "[Options]\nName='x'\n", "Options", "Name", 77, false, "x"},
        ReadCase{"one_pair_only", "[Options]\nName=\"\"x\"\"\n", "Options", "Name", 77, false, "\"x\""},
        ReadCase{"unmatched_quote", "[Options]\nName=\"x\n", "Options", "Name", 77, false, "\"x"},
        ReadCase{"hex_0x", "[Options]\nDataAcquistionSpeed=0x2\n", "Options", "DataAcquistionSpeed", 2, true, "0x2"},
        ReadCase{"hex_dollar", "[Options]\nA=$1F\n", "Options", "A", 31, true, "$1F"},
        ReadCase{"hex_all_bits", "[Options]\nA=0xFFFFFFFF\n", "Options", "A", -1, true, "0xFFFFFFFF"},
        ReadCase{"negative", "[Options]\nA=-12\n", "Options", "A", -12, true, "-12"},
        ReadCase{"yes_is_no_integer", "[Options]\nSaveTens=yes\n", "Options", "SaveTens", 77, false, "yes"},
        ReadCase{"empty_value", "[Options]\nFileName=\n", "Options", "FileName", 77, false, ""},
        ReadCase{"too_large", "[Options]\nLanguage=99999999999\n", "Options", "Language", 77, false, "99999999999"},
        ReadCase{"missing_key", "[Options]\nA=1\n", "Options", "B", 77, false, "dflt"},
        ReadCase{"other_section", "[Screen]\nA=1\n", "Options", "A", 77, false, "dflt"},
        ReadCase{"before_any_section", "A=1\n[Options]\n", "Options", "A", 77, false, "dflt"},
        ReadCase{"first_of_two", "[Options]\nA=1\nA=2\n", "Options", "A", 1, true, "1"},
        ReadCase{"value_with_equals", "[Options]\nA=b=c\n", "Options", "A", 77, false, "b=c"},
        ReadCase{"no_file_content", "", "Options", "A", 77, false, "dflt"},
        ReadCase{"nul_bytes", QByteArray("[Options]\nA=1\0\0\n\0[x\n", 16), "Options", "A", 77, false,
                 QString::fromUtf8("1\0\0", 3)},
        ReadCase{"long_string_cut", "[Options]\nA=" + QByteArray(5000, 'x') + "\n", "Options", "A", 77, false,
                 QString(2047, 'x')}));

TEST_F(Ini, NoFileGivesDefaults) {
  const IniFile ini(dir.filePath("missing.ini"));
  EXPECT_EQ(ini.readInteger("Options", "Language", 1), 1);
  EXPECT_TRUE(ini.readBool("Options", "AutoSave", true));
  EXPECT_EQ(ini.readString("Options", "FileName", "data.csv"), "data.csv");
}

TEST_F(Ini, GarbageAndHugeLinesReadWithoutHarm) {
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  store(garbage + "\n[Options]\nA=5\n" + QByteArray(1024 * 1024, 'y') + "\n\xff\xfe=\x80\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readInteger("Options", "A", 0), 5);
  EXPECT_EQ(ini.readString("Options", "B", "d"), "d");
  ini.writeInteger("Options", "A", 6);
  EXPECT_EQ(IniFile(path()).readInteger("Options", "A", 0), 6);
  EXPECT_TRUE(stored().startsWith(garbage));  // the rest preserved
}

TEST_F(Ini, WritesInPlaceAndPreservesEveryOtherLine) {
  const QByteArray before =
      "; a comment\r\n[Options]\r\nSaveTens = 0 \r\n  odd line\r\n\r\n[Screen]\r\nScreenLeft=3\r\n";
  store(before);
  IniFile ini(path());
  ini.writeBool("options", "SAVETENS", true);  // in place, whatever the case, only the value
  ini.writeInteger("Options", "DataTime", 7);  // new key: last entry of its section
  ini.writeInteger("Screen", "ScreenTop", -4);
  ini.writeString("Extra", "Name", "x y");  // new section at the end
  EXPECT_EQ(stored(),
            "; a comment\r\n[Options]\r\nSaveTens = 1 \r\n  odd line\r\nDataTime=7\r\n\r\n[Screen]\r\nScreenLeft=3\r\n"
            "ScreenTop=-4\r\n[Extra]\r\nName=x y\r\n");
  const IniFile again(path());
  EXPECT_TRUE(again.readBool("Options", "SaveTens", false));
  EXPECT_EQ(again.readInteger("Screen", "ScreenTop", 0), -4);
}

TEST_F(Ini, ANewFileAndAFileWithoutTheLastLineEnd) {
  IniFile created(path());
  created.writeInteger("Options", "A", 1);
  created.writeInteger("Screen", "B", 2);
  EXPECT_EQ(stored(), "[Options]\r\nA=1\r\n[Screen]\r\nB=2\r\n");
  store("[Options]\nA=1");
  IniFile unix(path());
  unix.writeInteger("Options", "C", 3);
  EXPECT_EQ(stored(), "[Options]\nA=1\nC=3\n");
}

TEST_F(Ini, AValueCannotStartAnotherEntry) {
  IniFile ini(path());
  ini.writeString("Options", "FileName", "a\r\n[Evil]\nx=1");
  EXPECT_EQ(IniFile(path()).readString("Options", "FileName", ""), "a  [Evil] x=1");
  EXPECT_EQ(IniFile(path()).readString("Evil", "x", "none"), "none");
}

TEST_F(Ini, RefusedWritesRaiseTheErrorAndLeaveTheFile) {
  for (const QString& where :
       {dir.filePath("no/such/folder/config.ini"), QString("/dev/full"), dir.path(), QString()}) {
    IniFile ini(where);
    try {
      ini.writeInteger("Options", "A", 1);
      ADD_FAILURE() << "no error for " << where.toStdString();
    } catch (const SettingsError& e) {
      EXPECT_EQ(QString::fromStdString(e.what()), "Unable to write to " + where);
    }
  }
  EXPECT_TRUE(QFileInfo("/dev/full").isFile() == false);                        // a device is never replaced
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);  // no temporary left
}

// Only the value changes: the key as the user spelt it, the blanks around
// "=" and after the value stay.
struct ValueCase {
  const char* name;
  QByteArray line;
  QByteArray written;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class InPlace : public Ini, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(InPlace, KeepsTheEntrysOwnSpelling) {
  store("[Options]\r\n" + GetParam().line + "\r\nOther=1\r\n");
  IniFile ini(path());
  ini.writeInteger("Options", "SaveTens", 7);
  EXPECT_EQ(stored(), "[Options]\r\n" + GetParam().written + "\r\nOther=1\r\n");
  EXPECT_EQ(IniFile(path()).readInteger("Options", "SaveTens", 0), 7);
}

INSTANTIATE_TEST_SUITE_P(Cases, InPlace,
                         ::testing::Values(ValueCase{"plain", "SaveTens=1", "SaveTens=7"},
                                           ValueCase{"lower_case_with_blanks", "savetens = 1", "savetens = 7"},
                                           ValueCase{"tabs_and_trailing_blanks", "  SAVETENS\t=\t1  ",
                                                     "  SAVETENS\t=\t7  "},
                                           ValueCase{"empty_value", "SaveTens =", "SaveTens =7"},
                                           ValueCase{"quoted_value", "SaveTens = \"1\"", "SaveTens = 7"}));

// An editor's byte-order mark hides nothing and is kept.
TEST_F(Ini, AByteOrderMarkIsSkippedAndKept) {
  store("\xEF\xBB\xBF[Options]\r\nLanguage=2\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readInteger("Options", "Language", 1), 2);
  ini.writeInteger("Options", "Language", 1);
  ini.writeInteger("Options", "DataTime", 3);
  EXPECT_EQ(stored(), "\xEF\xBB\xBF[Options]\r\nLanguage=1\r\nDataTime=3\r\n");
}

TEST(SettingsInteger, Parses) {
  EXPECT_EQ(ParseSettingsInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseSettingsInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseSettingsInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseSettingsInteger("0x"), std::nullopt);
  EXPECT_EQ(ParseSettingsInteger("0x100000000"), std::nullopt);
  EXPECT_EQ(ParseSettingsInteger("1 2"), std::nullopt);
  EXPECT_EQ(ParseSettingsInteger(""), std::nullopt);
  EXPECT_EQ(ParseSettingsInteger("-$10"), -16);
}

}  // namespace
}  // namespace vestrix::settings
