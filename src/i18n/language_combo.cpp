#include "i18n/language_combo.h"

#include <QApplication>
#include <QPainter>

namespace vestrix::i18n {

LanguageCombo::LanguageCombo(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new LanguageEntryDelegate(this));
  setIconSize(QSize(19, 12));
}

void LanguageCombo::addLanguage(const QPixmap& flag, const QString& name, const QString& fontName) {
  addItem(QIcon(flag), name);
  setItemData(count() - 1, fontName, kFontRole);
}

void LanguageCombo::setLanguageName(int index, const QString& name) {
  if (index >= 0 && index < count() && itemText(index) != name) setItemText(index, name);
}

void LanguageCombo::setLanguageFont(int index, const QString& fontName) {
  if (index >= 0 && index < count()) setItemData(index, fontName, kFontRole);
}

QString LanguageCombo::languageFont(int index) const { return itemData(index, kFontRole).toString(); }

QSize LanguageEntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QSize base = QStyledItemDelegate::sizeHint(option, index);
  return {base.width() + 23, std::max(option.fontMetrics.boundingRect(QLatin1Char('H')).height() + 3, 16)};
}

void LanguageEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const bool focused = option.state & QStyle::State_HasFocus;
  painter->save();
  painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
  const QPixmap flag = index.data(Qt::DecorationRole).value<QIcon>().pixmap(QSize(19, 12));
  painter->drawPixmap(option.rect.topLeft() + QPoint(1, 2), flag);
  QFont font = option.font;
  const QString family = index.data(LanguageCombo::kFontRole).toString();
  if (!family.isEmpty()) font.setFamily(family);
  painter->setFont(font);
  painter->setPen(selected || focused ? option.palette.highlightedText().color() : option.palette.text().color());
  const QRect text = option.rect.adjusted(23, 1, 0, 0);
  painter->drawText(text, Qt::AlignLeft | Qt::AlignTop, index.data(Qt::DisplayRole).toString());
  if (focused) {
    QStyleOptionFocusRect focus;
    focus.rect = option.rect;
    focus.palette = option.palette;
    focus.state = option.state;
    focus.backgroundColor = option.palette.highlight().color();
    const QWidget* widget = option.widget;
    (widget ? widget->style() : QApplication::style())
        ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
  painter->restore();
}

}  // namespace vestrix::i18n
