#include "i18n/translation_table.h"

#include "i18n/interface_texts.h"

namespace vestrix::i18n {

QString TranslationRow::text(int language) const {
  const int index = language - 1;
  return index >= 0 && index < texts.size() ? texts[index] : QString();
}

void TranslationTable::addSection(const QString& section) {
  for (const Section& s : sections_) {
    if (s.name == section) return;
  }
  sections_.push_back({section, {}});
}

QStringList TranslationTable::sectionNames() const {
  QStringList names;
  for (const Section& s : sections_) names << s.name;
  return names;
}

void TranslationTable::addRow(const QString& section, const QString& name, const QStringList& texts) {
  for (Section& s : sections_) {
    if (s.name == section) {
      s.rows.push_back({name, texts});
      return;
    }
  }
  sections_.push_back({section, {{name, texts}}});
}

const TranslationRow* TranslationTable::findRow(const QString& section, const QString& name) const {
  for (const TranslationRow& row : rows(section)) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

const std::vector<TranslationRow>& TranslationTable::rows(const QString& section) const {
  static const std::vector<TranslationRow> kNone;
  for (const Section& s : sections_) {
    if (s.name == section) return s.rows;
  }
  return kNone;
}

const TranslationTable& BuiltinTranslationTable() {
  static const TranslationTable table = [] {
    TranslationTable t;
    AddBuiltinTexts(t);
    return t;
  }();
  return table;
}

}  // namespace vestrix::i18n
