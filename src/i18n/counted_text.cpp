#include "i18n/counted_text.h"

#include <QStringList>

namespace vestrix::i18n {

QString CountedText(const QString& forms, std::int64_t n) {
  const QStringList form = forms.split(QLatin1Char('|'));
  const std::int64_t units = n % 10;
  const std::int64_t tens = n % 100;
  int which = 0;
  if (form.size() >= 3) {
    which = n == 1 ? 0 : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? 1 : 2;
  } else if (form.size() == 2) {
    which = n == 1 ? 0 : 1;
  }
  return QString(form.value(which)).replace(QStringLiteral("%n"), QString::number(n));
}

}  // namespace vestrix::i18n
