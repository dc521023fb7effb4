// Settings files as users edit them: any bytes. The file is read, one key
// is written, and the file is read again.
// Asserts beyond "does not crash":
//  - the written key reads back as written;
//  - the write keeps every other entry: the values read before it are read
//    after it;
//  - no string read is longer than the reader's limit.
#include "settings/ini_file.h"

#include <QFile>
#include <QString>

#include <cstdlib>

#include <unistd.h>

using vestrix::settings::IniFile;

namespace {

const QString& Path() {
  // In memory where the system has it: the fuzzer writes it many times a second.
  static const QString path = QStringLiteral("%1/vestrix-fuzz-settings-%2.ini")
                                  .arg(QFile::exists("/dev/shm") ? "/dev/shm" : "/tmp")
                                  .arg(::getpid());
  return path;
}

struct Seen {
  QString language, fileName, top, absent;
  int period;
  bool operator==(const Seen&) const = default;
};

Seen Read(const IniFile& ini) {
  return {ini.readString("Options", "Language", "?"), ini.readString("options", "FILENAME", "?"),
          ini.readString("Screen", "Top", "?"), ini.readString("Nowhere", "Nothing", "?"),
          ini.readInteger("Options", "DataTime", -77)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    QFile file(Path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  IniFile ini(Path());
  const Seen before = Read(ini);
  if (before.language.size() > IniFile::kMaxStringLength || before.fileName.size() > IniFile::kMaxStringLength) {
    std::abort();
  }

  // A value the reader returns as it stands: printable, framed by letters.
  QString value = QStringLiteral("v");
  for (std::size_t i = 0; i < size && i < 200; ++i) value += QChar(0x20 + data[i] % 0x5F);
  value += QLatin1Char('v');
  try {
    ini.writeString("Options", "FuzzKey", value);
  } catch (const vestrix::settings::SettingsError&) {
    std::abort();  // the folder is ours and writable
  }
  const IniFile again(Path());
  if (again.readString("Options", "FuzzKey", "?") != value) std::abort();
  if (!(Read(again) == before)) std::abort();
  return 0;
}
