// A settings file that is a symbolic link is written through to its target.
#include "settings/ini_file_fixture.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace vestrix::settings {
namespace {

// A settings file kept elsewhere through a link: the target is written, the
// link stays a link (absolute, relative, to a link, or to a file not yet made).
TEST_F(Ini, ALinkIsWrittenThroughToItsTarget) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("shared/deeper"));
  const QString target = dir.filePath("shared/deeper/real.ini");
  struct Link {
    const char* name;
    QString pointsTo;
  };
  const Link links[] = {{"absolute.ini", target},
                        {"relative.ini", "shared/deeper/real.ini"},
                        {"chained.ini", "absolute.ini"},
                        {"dangling.ini", "shared/later.ini"}};
  for (const Link& l : links) {
    ASSERT_EQ(::symlink(l.pointsTo.toLocal8Bit().constData(), dir.filePath(l.name).toLocal8Bit().constData()), 0);
  }
  for (const Link& l : links) {
    IniFile ini(dir.filePath(l.name));
    ini.writeString("Options", "Via", l.name);
    EXPECT_TRUE(QFileInfo(dir.filePath(l.name)).isSymLink()) << l.name;
    EXPECT_EQ(IniFile(dir.filePath(l.name)).readString("Options", "Via", ""), l.name);
  }
  EXPECT_EQ(IniFile(target).readString("Options", "Via", ""), "chained.ini");
  EXPECT_EQ(IniFile(dir.filePath("shared/later.ini")).readString("Options", "Via", ""), "dangling.ini");
  // Nothing left beside the link or the target.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 4);
  EXPECT_EQ(QDir(dir.filePath("shared/deeper")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
}  // namespace vestrix::settings
