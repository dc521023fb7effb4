#include "i18n/lookup_message.h"

#include "i18n/translation_table.h"

namespace vestrix::i18n {

QString LookupMessage(const TranslationTable& table, int activeLanguage, const QString& identifier) {
  const TranslationRow* row = table.findRow(kMessageSection, identifier);
  if (row == nullptr) return {};
  QString text = row->text(activeLanguage);
  if (text.isEmpty()) text = row->text(kPolish);
  return text;
}

}  // namespace vestrix::i18n
