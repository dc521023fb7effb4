#include "app/status_panels.h"

#include "ui/path_elision.h"

#include <QEvent>

#include <algorithm>

namespace vestrix::app {

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  int left = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Panel%1").arg(i));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setIndent(3);
    label->setGeometry(left, 2, kPanelWidths[i], kHeight - 2);
    left += kPanelWidths[i];
    panels_[i].label = label;
  }
}

void StatusPanels::resizeEvent(QResizeEvent*) {
  // The last panel reaches the right edge, as status bars do.
  QLabel* last = panels_.back().label;
  last->setFixedWidth(std::max(kPanelWidths.back(), width() - last->x()));
  fit(panels_.back());
}

void StatusPanels::changeEvent(QEvent* event) {
  // Each language has its own face: what fits changes with it.
  if (event->type() == QEvent::FontChange) {
    for (Panel& panel : panels_) fit(panel);
  }
  QWidget::changeEvent(event);
}

QString StatusPanels::panelText(int panel) const { return panels_.at(panel).text; }

QString StatusPanels::shownText(int panel) const { return panels_.at(panel).label->text(); }

int StatusPanels::panelWidth(int panel) const { return panels_.at(panel).label->width(); }

int StatusPanels::textWidth(int panel) const {
  const QLabel* label = panels_.at(panel).label;
  return label->contentsRect().width() - 2 * label->indent();
}

void StatusPanels::setPanelText(int panel, const QString& text, const QStringList& paths) {
  Panel& p = panels_.at(panel);
  p.text = text;
  p.paths = paths;
  fit(p);
}

void StatusPanels::fit(Panel& panel) {
  const int index = static_cast<int>(&panel - panels_.data());
  const QString shown = ui::FitNamingPaths(panel.text, panel.paths, panel.label->fontMetrics(), textWidth(index));
  if (panel.label->text() != shown) panel.label->setText(shown);
  const QString tip = shown == panel.text ? QString() : panel.text;
  if (panel.label->toolTip() != tip) panel.label->setToolTip(tip);
}

}  // namespace vestrix::app
