#pragma once

class QTabBar;

namespace vestrix::ui {

// Tabs drawn as flat buttons: the page in front looks pressed.
void DrawTabsAsButtons(QTabBar* tabs);

}  // namespace vestrix::ui
