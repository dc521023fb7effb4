#include "ui/button_tabs.h"

#include <QTabBar>

namespace vestrix::ui {

void DrawTabsAsButtons(QTabBar* tabs) {
  tabs->setDrawBase(false);
  tabs->setStyleSheet(
      QStringLiteral("QTabBar::tab { background: palette(button); border: 1px outset palette(mid); padding: 3px 9px;"
                     " margin: 0px 2px 2px 0px; }"
                     "QTabBar::tab:selected { background: palette(midlight); border: 1px inset palette(mid); }"));
}

}  // namespace vestrix::ui
