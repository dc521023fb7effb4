#include "app/status_panels.h"

#include <algorithm>

namespace vestrix::app {

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  int left = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Panel%1").arg(i));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(3);
    label->setGeometry(left, 2, kPanelWidths[i], kHeight - 2);
    left += kPanelWidths[i];
    panels_[i] = label;
  }
}

void StatusPanels::resizeEvent(QResizeEvent*) {
  // The last panel reaches the right edge, as status bars do.
  QLabel* last = panels_.back();
  last->setFixedWidth(std::max(kPanelWidths.back(), width() - last->x()));
}

QString StatusPanels::panelText(int panel) const { return panels_.at(panel)->text(); }

int StatusPanels::panelWidth(int panel) const { return panels_.at(panel)->width(); }

void StatusPanels::setPanelText(int panel, const QString& text) { panels_.at(panel)->setText(text); }

}  // namespace vestrix::app
