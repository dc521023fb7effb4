#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace vestrix::i18n {

// The update-period list ("DataTime") of the Program settings page.
const QStringList& UpdatePeriods();

// A pick-only list of the window whose entries the translation table
// carries: the "<control>.Items" and "<control>.Text" rows are made from
// its entries, English as the parameter table has them (or the update
// periods), Polish where that language has words of its own.
struct TranslatedList {
  const char* control;    // "BoxTensUnit"
  const char* parameter;  // its parameter in the parameter table; nullptr: the update periods
};

// In the translation table's order.
std::span<const TranslatedList> TranslatedLists();

// A list's entries in a language (1 Polish, 2 English).
QStringList ListEntries(const TranslatedList& list, int language);

}  // namespace vestrix::i18n
