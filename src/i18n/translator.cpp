#include "i18n/translator.h"

#include "i18n/comma_text.h"
#include "i18n/language_combo.h"
#include "ui/caption_size.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QWidget>

namespace vestrix::i18n {

namespace {

const QStringList kLanguageNames = {QStringLiteral("Polski"), QStringLiteral("English")};

// "Control.Property" split at its first dot.
std::pair<QString, QString> SplitName(const QString& name) {
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot < 0) return {name, {}};
  return {name.left(dot), name.mid(dot + 1)};
}

void SetCaption(QObject* target, const QString& text) {
  auto* widget = qobject_cast<QWidget*>(target);
  if (widget == nullptr) return;
  // A page of a tab widget: its tab's text.
  if (QWidget* stack = widget->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) {
      const int index = tabs->indexOf(widget);
      if (index >= 0) {
        if (tabs->tabText(index) != text) tabs->setTabText(index, text);
        return;
      }
    }
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->text() == text) return;
    label->setText(text);
    // Captions size themselves to their text, unless they wrap in a set width.
    if (!label->wordWrap()) ui::SizeCaption(label);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    if (button->text() != text) button->setText(text);
  } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    if (box->title() != text) box->setTitle(text);
  } else if (widget->isWindow()) {
    if (widget->windowTitle() != text) widget->setWindowTitle(text);
  }
}

}  // namespace

Translator::Translator(QWidget* window, const TranslationTable& table, QString windowClassName, int startingLanguage)
    : window_(window), table_(table), className_(std::move(windowClassName)), active_(startingLanguage) {}

QString Translator::Language() const { return kLanguageNames.value(active_ - 1); }

void Translator::setActiveLanguage(int n) {
  if (n == active_) return;
  if (n < 1 || n > kLanguageCount) {
    throw LanguageError(QStringLiteral("%1: %2 - is not a valid property value!\nValue must be within [1..%3]!")
                            .arg(className_)
                            .arg(n)
                            .arg(kLanguageCount)
                            .toStdString());
  }
  active_ = n;
  ApplyLanguage();
}

QObject* Translator::find(const QString& name) const {
  if (QObject* found = window_->findChild<QObject*>(name)) return found;
  if (name == className_ || name == window_->objectName()) return window_;
  return nullptr;
}

void Translator::ApplyLanguage() {
  applyCaptions();  // the window's own caption first: it is the first row
  applyFonts();
  applyLists();
  applyOtherStrings();
  applyCollections();
  if (onApplied) onApplied();
}

void Translator::applyCaptions() {
  for (const TranslationRow& row : table_.rows(kCaptionsSection)) {
    const QString caption = text(row);
    if (caption.isEmpty()) continue;
    if (QObject* target = find(row.name)) SetCaption(target, caption);
  }
}

void Translator::applyFonts() {
  const std::vector<TranslationRow>& rows = table_.rows(kFontsSection);
  auto apply = [&](const TranslationRow& row) {
    const QString family = text(row);
    auto* widget = qobject_cast<QWidget*>(find(row.name));
    // A control that follows its parent's font is left alone. Qt's fonts
    // are Unicode, so the character set of the CharSets row has nothing to
    // change.
    if (family.isEmpty() || widget == nullptr || !widget->testAttribute(Qt::WA_SetFont)) return;
    QFont font = widget->font();
    if (font.family() == family) return;
    font.setFamily(family);
    widget->setFont(font);
  };
  // The window's own font last, as its row is the first.
  for (std::size_t i = 1; i < rows.size(); ++i) apply(rows[i]);
  if (!rows.empty()) apply(rows.front());
}

void Translator::applyLists() {
  for (const TranslationRow& row : table_.rows(kMultiLinesSection)) {
    const QString wanted = text(row);
    const auto [control, property] = SplitName(row.name);
    auto* list = qobject_cast<QComboBox*>(find(control));
    if (wanted.isEmpty() || list == nullptr || property != QLatin1String("Items")) continue;
    QStringList current;
    for (int i = 0; i < list->count(); ++i) current << list->itemText(i);
    if (ToCommaText(current) == wanted) continue;
    // In place, position by position: the selected position stays.
    const QStringList entries = FromCommaText(wanted);
    const int selected = list->currentIndex();
    for (int i = 0; i < entries.size(); ++i) {
      if (i < list->count()) {
        list->setItemText(i, entries[i]);
      } else {
        list->addItem(entries[i]);
      }
    }
    while (list->count() > entries.size()) list->removeItem(list->count() - 1);
    if (list->currentIndex() != selected && selected < list->count()) list->setCurrentIndex(selected);
  }
}

void Translator::applyOtherStrings() {
  for (const TranslationRow& row : table_.rows(kOtherStringsSection)) {
    const QString wanted = text(row);
    const auto [control, property] = SplitName(row.name);
    if (wanted.isEmpty() || property != QLatin1String("Text")) continue;
    // The text of a pick-only list never changes its selection: only the
    // fields that show a text of their own (edit boxes, value fields) take it.
    QObject* target = find(control);
    if (target == nullptr || qobject_cast<QComboBox*>(target) != nullptr) continue;
    const QVariant current = target->property("text");
    if (current.isValid() && current.toString() != wanted) target->setProperty("text", wanted);
  }
}

void Translator::applyCollections() {
  static const QRegularExpression item(QStringLiteral("^(\\w+)\\.LanguageInfos\\[(\\d+)\\]\\.(\\w+)$"));
  for (const TranslationRow& row : table_.rows(kCollectionsSection)) {
    const QString value = text(row);
    const QRegularExpressionMatch m = item.match(row.name);
    if (value.isEmpty() || !m.hasMatch()) continue;
    auto* selector = qobject_cast<LanguageCombo*>(find(m.captured(1)));
    if (selector == nullptr) continue;
    const int index = m.captured(2).toInt();
    if (m.captured(3) == QLatin1String("LanguageName")) selector->setLanguageName(index, value);
    if (m.captured(3) == QLatin1String("FontName")) selector->setLanguageFont(index, value);
  }
}

}  // namespace vestrix::i18n
