#pragma once

#include "chart/axis_ticks.h"
#include "chart/decimation.h"
#include "chart/sample_history.h"

#include <QColor>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vestrix::chart {

// How a history's times read as clock times.
struct TimeBase {
  std::int64_t wallOffsetMs = 0;  // added to a sample's time gives the PC's clock
  bool elapsed = false;           // the times count from a start, not the clock
};

// What the plot draws over the series for the test capture, on the value
// axis of the first series (the strain-gauge input).
struct PlotGuides {
  // The limits as lines, and the band between them shaded when both are set.
  std::optional<double> lowerLimit;
  std::optional<double> upperLimit;
  // The capture's start and end levels, as faint lines (while it is armed).
  std::optional<double> startLevel;
  std::optional<double> endLevel;
  // Each captured test's peak: where it was, and its value as written.
  struct Peak {
    std::int64_t time = 0;
    double value = 0;
    QString text;
    bool operator==(const Peak&) const = default;
  };
  std::vector<Peak> peaks;

  bool operator==(const PlotGuides&) const = default;
};

// The plot: the visible series of a history against time, as min and max
// per pixel column. Live, it shows the newest samples over a span and
// follows them; stopped, it shows a fixed range that the wheel zooms
// (around the pointer), a drag pans and Shift+wheel zooms in value. A
// readout follows the pointer: the time and the values of the nearest
// sample. Ctrl+click sets a second cursor at a sample (Escape takes it
// away): the readout then adds the time from it to the pointer, and for
// each series the change of the value and its rate. Stopped, a drag with
// the right button zooms to its rectangle, + and - zoom, the arrow keys pan,
// and Backspace undoes the last of these steps (up to kUndoSteps). It repaints only while visible, only when what it
// shows changed, and at most once a screen refresh.
class PlotView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxSeries = SampleHistory::kMaxSeries;

  explicit PlotView(QWidget* parent = nullptr);

  void setHistory(const SampleHistory* history, TimeBase base);
  const SampleHistory* history() const { return history_; }
  void setSeriesColour(int series, QColor colour);
  void setSeriesVisible(int series, bool visible);
  bool seriesVisible(int series) const { return visible_[static_cast<std::size_t>(series)]; }
  void setDecimalSeparator(QChar separator);
  // The value axis' title, drawn along its left edge ("" for none).
  void setValueTitle(const QString& title);
  const QString& valueTitle() const { return valueTitle_; }
  // The unit the readout writes after a series' values ("" for none).
  void setSeriesUnit(int series, const QString& unit);

  // Live: the newest samples over spanMs (0: everything kept).
  void showLive(std::int64_t spanMs);
  // Stopped: a fixed range of times.
  void showRange(std::int64_t from, std::int64_t to);
  bool live() const { return live_; }
  // The times shown, from and to.
  std::int64_t viewFrom() const;
  std::int64_t viewTo() const;
  // The values shown: fixed, or none for automatic.
  void setFixedValueRange(std::optional<ValueRange> range);
  // Undoes a zoom in value (Shift+wheel): the values as the axis has them.
  void resetValueZoom();
  // The narrowest and the widest time a stopped view shows: a millisecond,
  // and a little more than the history holds.
  static constexpr std::int64_t kLeastSpanMs = 1;
  std::int64_t widestSpan() const;
  ValueRange valueRange() const { return values_; }
  // A sample was appended to the history (or the history changed).
  void historyChanged();
  // A span of time to be shaded (a captured test), or none.
  void setHighlight(std::optional<std::pair<std::int64_t, std::int64_t>> range);
  // The limits, levels and peaks drawn over the series; a repaint only
  // when they changed.
  void setGuides(PlotGuides guides);
  const PlotGuides& guides() const { return guides_; }

  // Zoom and pan steps Backspace can undo.
  static constexpr std::size_t kUndoSteps = 50;
  // Undoes the last zoom or pan step of the user's; false when none is left.
  bool undoViewStep();
  std::size_t viewSteps() const { return undo_.size(); }
  // The rectangle being dragged for a zoom, in widget pixels (empty without one).
  QRect zoomRectangle() const;

  // The second cursor: the time of the sample it stands at, or none.
  void setFixedCursor(std::optional<std::int64_t> time);
  std::optional<std::int64_t> fixedCursor() const { return fixedCursor_; }

  // The plot's rectangle inside the widget, without the axes.
  QRect plotRect() const;
  // The readout at a pointer position: the time and the values of the
  // nearest kept sample, as the label shows them.
  QString readoutAt(int x) const;
  // Repaints counted, and whether one is due (for tests and benchmarks).
  int repaints() const { return repaints_; }
  // Of the last picture (for tests): where the readout box stood (empty
  // without one), and the leftmost time label's left edge (-1 without one).
  QRect readoutBox() const { return readoutBox_; }
  int firstTimeLabelLeft() const { return firstTimeLabelLeft_; }
  bool repaintPending() const { return repaintTimer_.isActive(); }

 signals:
  // A double click.
  void liveRequested();
  // The user zoomed or panned (the view is no longer what was asked for).
  void viewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  ColumnMapping mapping() const;
  std::uint32_t visibleMask() const;
  // The live columns, decimated anew where they no longer fit the view.
  void refreshLiveColumns();
  void scheduleRepaint();
  void updateAutoRange(const std::array<Decimated, kMaxSeries>& columns);
  std::int64_t timeAtX(double x) const;
  double xOfTime(std::int64_t time) const;
  double yOfValue(double value) const;
  void drawSeries(QPainter& painter, const Decimated& columns, QColor colour) const;
  void drawGuides(QPainter& painter) const;
  void drawPeaks(QPainter& painter) const;
  void drawReadout(QPainter& painter, const std::array<Decimated, kMaxSeries>& columns) const;
  // The readout's lines at a pointer position, each in its colour.
  std::vector<std::pair<QString, QColor>> readoutLines(int x) const;
  // A stopped view kept within its limits: its span between the narrowest
  // and the widest, and overlapping the history.
  void clampView();
  std::int64_t liveSpan() const;
  // Before each zoom or pan step of the user's: where it can be undone to.
  void rememberView();
  void zoomTime(double factor, double atX);

  const SampleHistory* history_ = nullptr;
  TimeBase base_;
  std::array<QColor, kMaxSeries> colours_{};
  std::array<bool, kMaxSeries> visible_{};
  QChar separator_ = QLatin1Char('.');
  QString valueTitle_;
  std::array<QString, kMaxSeries> units_{};

  bool live_ = true;
  std::int64_t liveSpanMs_ = 10000;  // 0: everything kept
  std::int64_t from_ = 0;
  std::int64_t to_ = 1;
  std::optional<ValueRange> fixedValues_;
  std::optional<ValueRange> zoomedValues_;  // Shift+wheel while stopped
  ValueRange values_{0, 1};
  std::optional<std::pair<std::int64_t, std::int64_t>> highlight_;
  PlotGuides guides_;
  std::optional<std::int64_t> fixedCursor_;
  struct ViewStep {
    std::int64_t from = 0;
    std::int64_t to = 0;
    std::optional<ValueRange> values;
  };
  std::vector<ViewStep> undo_;
  std::optional<QPoint> zoomFrom_;
  std::optional<QPoint> zoomTo_;

  // The live view's columns, kept up to date sample by sample while the
  // plot is shown.
  LiveColumns liveColumns_;
  bool liveValid_ = false;
  QTimer repaintTimer_;
  int repaints_ = 0;
  mutable QRect readoutBox_;
  int firstTimeLabelLeft_ = -1;

  std::optional<int> pointerX_;
  std::optional<QPoint> dragFrom_;
  std::int64_t dragFromTime_ = 0;
};

}  // namespace vestrix::chart
