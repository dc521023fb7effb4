#pragma once

#include <QString>

namespace vestrix::i18n {

class TranslationTable;

// The text of a status message identifier such as "IDS_14" in the active
// language, falling back to Polish when that text is empty; empty when the
// table has no row for the identifier. Returned exactly as stored.
QString LookupMessage(const TranslationTable& table, int activeLanguage, const QString& identifier);

}  // namespace vestrix::i18n
