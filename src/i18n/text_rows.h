#pragma once

#include "i18n/translation_table.h"

#include <span>

namespace vestrix::i18n {

// A row of the built-in table as written in the source: UTF-8 texts.
struct TextRow {
  const char* name;
  const char* polish;
  const char* english;  // "": the row has no English text
};

// Adds the section (empty when no rows are given) and its rows.
inline void AddSection(TranslationTable& table, const QString& section, std::span<const TextRow> rows = {}) {
  table.addSection(section);
  for (const TextRow& row : rows) {
    table.addRow(section, QString::fromLatin1(row.name),
                 {QString::fromUtf8(row.polish), QString::fromUtf8(row.english)});
  }
}

}  // namespace vestrix::i18n
