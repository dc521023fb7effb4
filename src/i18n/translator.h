#pragma once

#include "i18n/translation_table.h"

#include <QString>

#include <functional>
#include <stdexcept>

class QObject;
class QWidget;

namespace vestrix::i18n {

// A language outside 1..LanguageCount, refused.
class LanguageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Applies the table's texts of the active language to a window's controls,
// found by name. Rows for controls or properties that do not exist are
// skipped; an empty field leaves its target as it is.
class Translator {
 public:
  // The window's texts are those of the starting language already.
  Translator(QWidget* window, const TranslationTable& table, QString windowClassName, int startingLanguage);

  int ActiveLanguage() const { return active_; }
  QString Language() const;
  int LanguageCount() const { return kLanguageCount; }

  // Makes n the active language and applies it; nothing when n is active
  // already; LanguageError when n is no language.
  void setActiveLanguage(int n);

  // Runs after every application of a language.
  std::function<void()> onApplied;

 private:
  void ApplyLanguage();
  QObject* find(const QString& name) const;
  QString text(const TranslationRow& row) const { return row.text(active_); }
  void applyCaptions();
  void applyFonts();
  void applyLists();
  void applyOtherStrings();
  void applyCollections();

  QWidget* window_;
  const TranslationTable& table_;
  QString className_;
  int active_;
};

}  // namespace vestrix::i18n
