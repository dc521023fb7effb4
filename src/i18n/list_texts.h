#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace vestrix::i18n {

// The update-period list ("DataTime") of the Program settings page.
const QStringList& UpdatePeriods();
// The spans of the Charts page's live view.
const QStringList& ChartSpans();
// The directions of a test: tension, compression.
const QStringList& CaptureDirections();

// A pick-only list of the window whose entries the translation table
// carries: the "<control>.Items" and "<control>.Text" rows are made from
// its entries, English as the parameter table has them (or the update
// periods), Polish where that language has words of its own.
struct TranslatedList {
  const char* control;  // "BoxTensUnit"
  // Its parameter in the parameter table, or "UpdatePeriods", "ChartSpans"
  // or "CaptureDirections".
  const char* source;
  bool textRow;  // a "<control>.Text" row too
};

// In the translation table's order.
std::span<const TranslatedList> TranslatedLists();

// A list's entries in a language (1 Polish, 2 English).
QStringList ListEntries(const TranslatedList& list, int language);

}  // namespace vestrix::i18n
