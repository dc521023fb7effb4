#pragma once

namespace vestrix::i18n {

class TranslationTable;

// Adds the Polish and English texts of the status messages to the table's
// message section.
void AddMessageTexts(TranslationTable& table);

}  // namespace vestrix::i18n
