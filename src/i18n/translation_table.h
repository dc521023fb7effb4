#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vestrix::i18n {

// Languages are numbered from 1 in the order of the table's text columns.
constexpr int kPolish = 1;
constexpr int kEnglish = 2;
constexpr int kLanguageCount = 2;

struct TranslationRow {
  QString name;
  QStringList texts;  // texts[i] is the text of language i + 1; an empty text means "none"

  // The text of one language, empty when the row has none for it.
  QString text(int language) const;
};

// The program's translation table: named sections of named rows, one text
// per language in each row. Sections keep the order in which they were added.
class TranslationTable {
 public:
  void addRow(const QString& section, const QString& name, const QStringList& texts);
  const TranslationRow* findRow(const QString& section, const QString& name) const;
  const std::vector<TranslationRow>& rows(const QString& section) const;

 private:
  struct Section {
    QString name;
    std::vector<TranslationRow> rows;
  };
  std::vector<Section> sections_;
};

// Section that holds the texts of the status messages.
inline const QString kMessageSection = QStringLiteral("Strings");

// The table built into the program.
const TranslationTable& BuiltinTranslationTable();

}  // namespace vestrix::i18n
