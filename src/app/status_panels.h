#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <array>

namespace vestrix::app {

// The window's status bar: fixed-width text panels side by side from the
// left, the last one reaching the right edge.
class StatusPanels : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 24;
  static constexpr std::array<int, 2> kPanelWidths = {400, 50};

  explicit StatusPanels(QWidget* parent = nullptr);

  int panelCount() const { return static_cast<int>(panels_.size()); }
  QString panelText(int panel) const;
  int panelWidth(int panel) const;
  void setPanelText(int panel, const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::array<QLabel*, kPanelWidths.size()> panels_{};
};

}  // namespace vestrix::app
