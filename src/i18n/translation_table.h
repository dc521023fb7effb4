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
  // A section, empty until rows are added (where missing, addRow adds it).
  void addSection(const QString& section);
  void addRow(const QString& section, const QString& name, const QStringList& texts);
  QStringList sectionNames() const;
  const TranslationRow* findRow(const QString& section, const QString& name) const;
  const std::vector<TranslationRow>& rows(const QString& section) const;

 private:
  struct Section {
    QString name;
    std::vector<TranslationRow> rows;
  };
  std::vector<Section> sections_;
};

// The sections, in the table's order.
inline const QString kCaptionsSection = QStringLiteral("Captions");
inline const QString kHintsSection = QStringLiteral("Hints");
inline const QString kDisplayLabelsSection = QStringLiteral("DisplayLabels");
inline const QString kFontsSection = QStringLiteral("Fonts");
inline const QString kMultiLinesSection = QStringLiteral("MultiLines");
inline const QString kDialogCaptionsSection = QStringLiteral("DlgsCaptions");
// Section that holds the texts of the status messages.
inline const QString kMessageSection = QStringLiteral("Strings");
inline const QString kOtherStringsSection = QStringLiteral("OtherStrings");
inline const QString kLocalesSection = QStringLiteral("Locales");
inline const QString kCollectionsSection = QStringLiteral("Collections");
inline const QString kCharSetsSection = QStringLiteral("CharSets");

// The table built into the program.
const TranslationTable& BuiltinTranslationTable();

}  // namespace vestrix::i18n
