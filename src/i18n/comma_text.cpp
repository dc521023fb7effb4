#include "i18n/comma_text.h"

namespace vestrix::i18n {

QString ToCommaText(const QStringList& entries) {
  QStringList parts;
  for (const QString& entry : entries) {
    const bool quote = entry.contains(QLatin1Char(' ')) || entry.contains(QLatin1Char(',')) ||
                       entry.contains(QLatin1Char('"')) || entry.isEmpty();
    parts << (quote ? QLatin1Char('"') + QString(entry).replace(QLatin1String("\""), QLatin1String("\"\"")) +
                          QLatin1Char('"')
                    : entry);
  }
  return parts.join(QLatin1Char(','));
}

QStringList FromCommaText(const QString& text) {
  QStringList entries;
  if (text.isEmpty()) return entries;
  qsizetype i = 0;
  for (;;) {
    QString entry;
    if (i < text.size() && text[i] == QLatin1Char('"')) {
      for (++i; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('"')) {
          entry += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
          entry += QLatin1Char('"');
          ++i;
        } else {
          ++i;  // the closing quote
          break;
        }
      }
      while (i < text.size() && text[i] != QLatin1Char(',')) ++i;  // nothing belongs after it
    } else {
      const qsizetype comma = text.indexOf(QLatin1Char(','), i);
      entry = text.mid(i, comma < 0 ? -1 : comma - i);
      i = comma < 0 ? text.size() : comma;
    }
    entries << entry;
    if (i >= text.size()) break;
    ++i;  // the comma
  }
  return entries;
}

}  // namespace vestrix::i18n
