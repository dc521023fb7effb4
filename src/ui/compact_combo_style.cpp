#include "ui/compact_combo_style.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionComplex>

namespace vestrix::ui {

namespace {

class Style : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget) const override {
    QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
    // The text may run into the empty margin left of the arrow.
    if (control == CC_ComboBox && sub == SC_ComboBoxEditField) rect.adjust(-1, 0, 5, 0);
    return rect;
  }
};

}  // namespace

QStyle* CompactComboStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new Style();
    style->setParent(qApp);  // lives as long as the application
  }
  return style;
}

}  // namespace vestrix::ui
