#pragma once

namespace vestrix::i18n {

class TranslationTable;

// Fills the program's table, section by section in its order: the window's
// captions, hints, display labels, fonts, lists, dialog captions, the
// status messages, other texts, locales, the selector's items and the
// fonts' character sets, each in Polish and English.
void AddBuiltinTexts(TranslationTable& table);

}  // namespace vestrix::i18n
