#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <stdexcept>
#include <vector>

namespace vestrix::settings {

// A write the system refused: "Unable to write to <path>".
class SettingsError : public std::runtime_error {
 public:
  explicit SettingsError(const QString& path);
};

// The program's settings file, a text file of the INI kind: "[Section]"
// lines and "key=value" entries. Names match without regard to letter
// case; a value loses the blanks around it and one pair of enclosing
// quotes; a missing file, section or key, or a value that is no number
// where a number is asked for, gives the default.
//
// Every write reaches the disk at once and changes only its own value (or
// adds a line): the key's spelling, the blanks around "=" and all other
// lines stay byte for byte, a byte-order mark included. The new file is
// written beside the old one and renamed over it, so a crash in the middle
// never leaves a truncated file; a file that is a symbolic link is written
// through to its target, and the link stays.
class IniFile {
 public:
  static constexpr int kMaxStringLength = 2047;
  static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;  // more is not a settings file

  explicit IniFile(QString path);

  const QString& path() const { return path_; }

  // A 32-bit integer in decimal, or in hexadecimal after 0x, 0X or $.
  int readInteger(const QString& section, const QString& key, int defaultValue) const;
  // An integer; any value other than 0 is true.
  bool readBool(const QString& section, const QString& key, bool defaultValue) const;
  // At most kMaxStringLength characters; present but empty gives "".
  QString readString(const QString& section, const QString& key, const QString& defaultValue) const;

  // Whether the file has the key (with any value).
  bool has(const QString& section, const QString& key) const { return findValue(section, key) != nullptr; }

  // Throw SettingsError when the file cannot be written.
  void writeInteger(const QString& section, const QString& key, int value);
  void writeBool(const QString& section, const QString& key, bool value);
  void writeString(const QString& section, const QString& key, const QString& value);

 private:
  struct Line {
    QByteArray text;  // without its line end
    QByteArray end;   // "\r\n", "\n" or "" (the last line of a file without one)
  };

  const QByteArray* findValue(const QString& section, const QString& key) const;
  void save() const;

  static inline const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

  QString path_;
  bool byteOrderMark_ = false;
  std::vector<Line> lines_;
};

// Parses a settings integer as the reader does; nothing when it is none.
std::optional<int> ParseSettingsInteger(const QByteArray& value);

}  // namespace vestrix::settings
