#pragma once

#include <QComboBox>
#include <QStyledItemDelegate>

#include <algorithm>

namespace vestrix::i18n {

// The language selector: a pick-only list whose entries the program draws,
// each with its language's flag and name in the language's font.
class LanguageCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit LanguageCombo(QWidget* parent = nullptr);

  // One entry per language, in language order.
  void addLanguage(const QPixmap& flag, const QString& name, const QString& fontName);
  void setLanguageName(int index, const QString& name);
  void setLanguageFont(int index, const QString& fontName);
  QString languageFont(int index) const;

  static constexpr int kFontRole = Qt::UserRole + 1;
};

// Draws an entry: the flag 1 pixel right and 2 below the corner, the name
// 23 right and 1 below, highlighted when selected, a focus rectangle when
// it has the focus.
class LanguageEntryDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace vestrix::i18n
