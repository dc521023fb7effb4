#include "settings/ini_file.h"

#include "files/whole_file.h"

#include <QFile>

#include <algorithm>

namespace vestrix::settings {

namespace {

QByteArray Trimmed(const QByteArray& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

bool SameName(const QByteArray& a, const QString& b) {
  return QString::fromUtf8(a).compare(b, Qt::CaseInsensitive) == 0;
}

// The name of a "[Section]" line, or nothing.
std::optional<QByteArray> SectionName(const QByteArray& line) {
  const QByteArray text = Trimmed(line);
  if (!text.startsWith('[')) return std::nullopt;
  const qsizetype close = text.indexOf(']');
  if (close < 0) return std::nullopt;
  return Trimmed(text.mid(1, close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<QByteArray> KeyName(const QByteArray& line) {
  const qsizetype equals = line.indexOf('=');
  if (equals < 0) return std::nullopt;
  return Trimmed(line.left(equals));
}

// An entry with a new value, keeping its key's spelling and the blanks
// around "=" and after the value.
QByteArray WithValue(const QByteArray& line, const QByteArray& value) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  qsizetype valueStart = line.indexOf('=') + 1;
  while (valueStart < line.size() && blank(line[valueStart])) ++valueStart;
  qsizetype valueEnd = line.size();
  while (valueEnd > valueStart && blank(line[valueEnd - 1])) --valueEnd;
  return line.left(valueStart) + value + line.mid(valueEnd);
}

}  // namespace

SettingsError::SettingsError(const QString& path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()) {}

std::optional<int> ParseSettingsInteger(const QByteArray& value) {
  QByteArray text = value;
  bool negative = false;
  if (text.startsWith('-') || text.startsWith('+')) {
    negative = text.startsWith('-');
    text = text.mid(1);
  }
  int base = 10;
  if (text.startsWith("0x") || text.startsWith("0X")) {
    base = 16;
    text = text.mid(2);
  } else if (text.startsWith('$')) {
    base = 16;
    text = text.mid(1);
  }
  if (text.isEmpty()) return std::nullopt;
  for (const char c : text) {
    const bool digit = c >= '0' && c <= '9';
    const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!digit && !(base == 16 && hex)) return std::nullopt;
  }
  bool ok = false;
  const qulonglong magnitude = text.toULongLong(&ok, base);
  if (!ok) return std::nullopt;
  if (base == 16) {
    // Hexadecimal spells the 32 bits: 0xFFFFFFFF is -1.
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    return negative ? static_cast<int>(0u - static_cast<std::uint32_t>(bits)) : bits;
  }
  if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull) return std::nullopt;
  return negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
}

IniFile::IniFile(QString path) : path_(std::move(path)) {
  if (path_.isEmpty()) return;  // no file at all: every key has its default
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return;  // missing or unreadable: every key has its default
  // As much as there is, up to the cap: asking for the cap itself would
  // reserve 16 MB for every file, however small.
  const QByteArray content = file.read(file.isSequential() ? kMaxFileSize : std::min(file.size(), kMaxFileSize));
  // A byte-order mark (editors put one in front of UTF-8) is no part of the
  // first line; it is put back when the file is written.
  qsizetype start = 0;
  if (content.startsWith(kByteOrderMark)) {
    byteOrderMark_ = true;
    start = kByteOrderMark.size();
  }
  while (start < content.size()) {
    const qsizetype newline = content.indexOf('\n', start);
    if (newline < 0) {
      lines_.push_back({content.mid(start), {}});
      break;
    }
    const bool crlf = newline > start && content[newline - 1] == '\r';
    const qsizetype textEnd = crlf ? newline - 1 : newline;
    lines_.push_back({content.mid(start, textEnd - start), crlf ? QByteArray("\r\n") : QByteArray("\n")});
    start = newline + 1;
  }
}

const QByteArray* IniFile::findValue(const QString& section, const QString& key) const {
  bool inSection = false;
  for (const Line& line : lines_) {
    if (const std::optional<QByteArray> name = SectionName(line.text)) {
      inSection = SameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    const std::optional<QByteArray> name = KeyName(line.text);
    if (name && SameName(*name, key)) return &line.text;
  }
  return nullptr;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
  const QByteArray* line = findValue(section, key);
  if (line == nullptr) return defaultValue;
  QByteArray value = Trimmed(line->mid(line->indexOf('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.mid(1, value.size() - 2);
  }
  return QString::fromUtf8(value).left(kMaxStringLength);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
  if (findValue(section, key) == nullptr) return defaultValue;
  return ParseSettingsInteger(readString(section, key, {}).toUtf8()).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
  return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
  writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
  writeInteger(section, key, value ? 1 : 0);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
  // One line per key: a line break in the value would make another entry.
  QString flat = value;
  flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QByteArray entry = key.toUtf8() + '=' + flat.toUtf8();

  const QByteArray lineEnd = lines_.empty() || lines_.front().end.isEmpty() ? QByteArray("\r\n") : lines_.front().end;

  std::vector<Line> lines = lines_;
  qsizetype sectionAt = -1;  // the section's line
  qsizetype lastEntry = -1;  // its last non-blank line
  for (qsizetype i = 0; i < static_cast<qsizetype>(lines.size()); ++i) {
    const QByteArray& text = lines[static_cast<std::size_t>(i)].text;
    if (const std::optional<QByteArray> name = SectionName(text)) {
      if (sectionAt >= 0) break;
      if (SameName(*name, section)) lastEntry = sectionAt = i;
      continue;
    }
    if (sectionAt < 0) continue;
    if (!Trimmed(text).isEmpty()) lastEntry = i;
    const std::optional<QByteArray> name = KeyName(text);
    if (name && SameName(*name, key)) {
      lines[static_cast<std::size_t>(i)].text = WithValue(text, flat.toUtf8());
      lines_ = std::move(lines);
      save();
      return;
    }
  }
  if (sectionAt >= 0) {
    Line& after = lines[static_cast<std::size_t>(lastEntry)];
    if (after.end.isEmpty()) after.end = lineEnd;  // the file's last line had no line end
    lines.insert(lines.begin() + lastEntry + 1, Line{entry, lineEnd});
  } else {
    if (!lines.empty() && lines.back().end.isEmpty()) lines.back().end = lineEnd;
    lines.push_back({'[' + section.toUtf8() + ']', lineEnd});
    lines.push_back({entry, lineEnd});
  }
  lines_ = std::move(lines);
  save();
}

void IniFile::save() const {
  QByteArray content = byteOrderMark_ ? kByteOrderMark : QByteArray();
  for (const Line& line : lines_) content += line.text + line.end;
  if (files::WriteWholeFile(path_, content)) throw SettingsError(path_);
}

}  // namespace vestrix::settings
