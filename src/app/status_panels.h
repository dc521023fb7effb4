#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

namespace vestrix::app {

// The window's status bar: fixed-width text panels side by side from the
// left, the last one reaching the right edge. A text too long for its panel
// shows whole in the panel's tooltip; in the panel the paths it names are
// shortened in their middle, so the reason it gives stays readable.
class StatusPanels : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 24;
  static constexpr std::array<int, 2> kPanelWidths = {400, 50};

  explicit StatusPanels(QWidget* parent = nullptr);

  int panelCount() const { return static_cast<int>(panels_.size()); }
  // The whole text written to a panel.
  QString panelText(int panel) const;
  // What the panel shows of it.
  QString shownText(int panel) const;
  int panelWidth(int panel) const;
  // The width the panel has for its text.
  int textWidth(int panel) const;
  // paths: the parts of the text that may be shortened.
  void setPanelText(int panel, const QString& text, const QStringList& paths = {});

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Panel {
    QLabel* label = nullptr;
    QString text;
    QStringList paths;
  };
  void fit(Panel& panel);

  std::array<Panel, kPanelWidths.size()> panels_{};
};

}  // namespace vestrix::app
