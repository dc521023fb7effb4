#include "chart/plot_view.h"

#include "chart/cursor_difference.h"
#include "protocol/format_fixed.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vestrix::chart {

namespace {

constexpr int kLeftMargin = 56;
constexpr int kTitleWidth = 16;  // the value axis' title, turned upright
constexpr int kRightMargin = 8;
constexpr int kTopMargin = 6;
constexpr int kBottomMargin = 20;
constexpr int kValueTickSpacing = 28;  // pixels between value ticks, at least
constexpr int kTimeTickSpacing = 90;   // pixels between time ticks, at least
const QColor kGrid(225, 225, 225);
const QColor kHighlight(255, 230, 150, 110);
const QColor kLimitBand(120, 200, 120, 40);
const QColor kLimitLine(40, 140, 40);
const QColor kLevelLine(150, 150, 150);
const QColor kPeakMark(200, 30, 30);

// The spans of "all kept": the least of them that holds it all, so
// that the view changes scale now and then, not with every sample.
std::int64_t EverythingSpan(std::int64_t kept) {
  std::int64_t span = 10000;
  while (span < kept && span < (std::int64_t{1} << 40)) span *= 2;
  return span;
}

QString ClockText(std::int64_t wall, bool elapsed, QChar separator) {
  std::int64_t ofDay = elapsed ? wall : wall + LocalUtcOffsetMs(wall);
  if (!elapsed) ofDay = ((ofDay % 86400000) + 86400000) % 86400000;
  const std::int64_t h = ofDay / 3600000;
  return QStringLiteral("%1:%2:%3%4%5")
      .arg(h)
      .arg(ofDay / 60000 % 60, 2, 10, QLatin1Char('0'))
      .arg(ofDay / 1000 % 60, 2, 10, QLatin1Char('0'))
      .arg(separator)
      .arg(ofDay % 1000, 3, 10, QLatin1Char('0'));
}

}  // namespace

PlotView::PlotView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A click gives it the keys (Home: the whole).
  setFocusPolicy(Qt::ClickFocus);
  repaintTimer_.setSingleShot(true);
  connect(&repaintTimer_, &QTimer::timeout, this, [this] { update(); });
}

void PlotView::setHistory(const SampleHistory* history, TimeBase base) {
  history_ = history;
  base_ = base;
  fixedCursor_.reset();  // it stood at a sample of the other history
  undo_.clear();
  liveValid_ = false;
  update();
}

void PlotView::setSeriesColour(int series, QColor colour) { colours_[static_cast<std::size_t>(series)] = colour; }

void PlotView::setSeriesVisible(int series, bool visible) {
  visible_[static_cast<std::size_t>(series)] = visible;
  update();
}

void PlotView::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  update();
}

void PlotView::showLive(std::int64_t spanMs) {
  live_ = true;
  liveSpanMs_ = std::max<std::int64_t>(spanMs, 0);
  zoomedValues_.reset();
  undo_.clear();  // the steps were of the view that stood still
  update();
}

void PlotView::showRange(std::int64_t from, std::int64_t to) {
  live_ = false;
  from_ = from;
  to_ = std::max(to, from + kLeastSpanMs);
  clampView();
  update();
}

std::int64_t PlotView::widestSpan() const {
  const std::int64_t kept =
      history_ != nullptr && !history_->empty() ? history_->time(history_->size() - 1) - history_->time(0) : 0;
  return std::max<std::int64_t>(kept + kept / 10, 10000);
}

void PlotView::clampView() {
  const std::int64_t span = std::clamp(to_ - from_, kLeastSpanMs, widestSpan());
  if (history_ != nullptr && !history_->empty()) {
    // Some of the data stays in sight, however far a drag goes.
    from_ = std::clamp(from_, history_->time(0) - span + 1, history_->time(history_->size() - 1));
  }
  to_ = from_ + span;
}

void PlotView::resetValueZoom() {
  zoomedValues_.reset();
  update();
}

void PlotView::setFixedValueRange(std::optional<ValueRange> range) {
  fixedValues_ = range;
  zoomedValues_.reset();
  if (range) values_ = *range;
  update();
}

void PlotView::setHighlight(std::optional<std::pair<std::int64_t, std::int64_t>> range) {
  if (range == highlight_) return;
  highlight_ = range;
  update();
}

void PlotView::setFixedCursor(std::optional<std::int64_t> time) {
  if (time == fixedCursor_) return;
  fixedCursor_ = time;
  update();
}

void PlotView::setGuides(PlotGuides guides) {
  if (guides == guides_) return;
  guides_ = std::move(guides);
  update();
}

void PlotView::setValueTitle(const QString& title) {
  if (title == valueTitle_) return;
  valueTitle_ = title;
  liveValid_ = false;  // the plot's width may change with it
  update();
}

void PlotView::setSeriesUnit(int series, const QString& unit) {
  units_[static_cast<std::size_t>(series)] = unit;
  update();
}

QRect PlotView::plotRect() const {
  const int left = kLeftMargin + (valueTitle_.isEmpty() ? 0 : kTitleWidth);
  return QRect(left, kTopMargin, std::max(1, width() - left - kRightMargin),
               std::max(1, height() - kTopMargin - kBottomMargin));
}

std::int64_t PlotView::liveSpan() const {
  if (liveSpanMs_ > 0) return liveSpanMs_;
  if (history_ == nullptr || history_->empty()) return EverythingSpan(0);
  return EverythingSpan(history_->time(history_->size() - 1) - history_->time(0));
}

ColumnMapping PlotView::mapping() const {
  ColumnMapping m;
  m.width = plotRect().width();
  if (live_) {
    m.span = liveSpan();
    const std::int64_t newest = history_ != nullptr && !history_->empty() ? history_->time(history_->size() - 1) : 0;
    m.first = m.columnOf(newest) - m.width + 1;
  } else {
    m.origin = from_;
    m.span = to_ - from_;
  }
  return m;
}

std::int64_t PlotView::viewFrom() const {
  const ColumnMapping m = mapping();
  return m.startOf(m.first);
}

std::int64_t PlotView::viewTo() const {
  const ColumnMapping m = mapping();
  return m.startOf(m.first + m.width);
}

std::uint32_t PlotView::visibleMask() const {
  std::uint32_t mask = 0;
  for (int s = 0; s < kMaxSeries; ++s) mask |= visible_[static_cast<std::size_t>(s)] ? 1u << s : 0u;
  return mask;
}

void PlotView::historyChanged() {
  if (!live_ || history_ == nullptr || history_->empty()) return;
  // Out of sight nothing is kept up to date: the columns are made anew
  // when the plot is shown.
  if (!isVisible() || !liveValid_) {
    liveValid_ = false;
    if (isVisible()) scheduleRepaint();
    return;
  }
  // Only a new pixel column, or a new extent of the last one, changes the
  // picture.
  if (liveColumns_.append(*history_) != LiveColumns::Change::None) scheduleRepaint();
}

void PlotView::refreshLiveColumns() {
  const ColumnMapping m = liveColumns_.mapping();
  const bool full = history_->size() == history_->capacity();
  const bool fits = liveValid_ && m.span == liveSpan() && m.width == plotRect().width() &&
                    !(full && history_->time(0) > m.startOf(m.first));
  if (!fits || liveColumns_.mask() != visibleMask()) {
    liveColumns_.reset(*history_, liveSpan(), plotRect().width(), visibleMask());
    liveValid_ = true;
  }
}

void PlotView::scheduleRepaint() {
  if (repaintTimer_.isActive()) return;
  // Never more often than the screen shows a new picture.
  const double hz = screen() != nullptr ? screen()->refreshRate() : 60.0;
  repaintTimer_.start(static_cast<int>(std::ceil(1000.0 / std::clamp(hz, 10.0, 240.0))));
}

void PlotView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  liveValid_ = false;
}

void PlotView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  liveValid_ = false;
}

double PlotView::xOfTime(std::int64_t time) const {
  const QRect plot = plotRect();
  const std::int64_t from = viewFrom();
  const std::int64_t to = viewTo();
  return plot.left() + static_cast<double>(time - from) * plot.width() / std::max<std::int64_t>(to - from, 1);
}

std::int64_t PlotView::timeAtX(double x) const {
  const QRect plot = plotRect();
  const std::int64_t from = viewFrom();
  const std::int64_t to = viewTo();
  return from + static_cast<std::int64_t>(std::llround((x - plot.left()) * (to - from) / plot.width()));
}

double PlotView::yOfValue(double value) const {
  const QRect plot = plotRect();
  const double y = plot.bottom() - (value - values_.low) / (values_.high - values_.low) * (plot.height() - 1);
  return std::clamp(y, plot.top() - 10000.0, plot.bottom() + 10000.0);
}

void PlotView::updateAutoRange(const std::array<Decimated, kMaxSeries>& columns) {
  if (zoomedValues_) {
    values_ = *zoomedValues_;
    return;
  }
  if (fixedValues_) {
    values_ = *fixedValues_;
    return;
  }
  double low = INFINITY;
  double high = -INFINITY;
  for (std::size_t s = 0; s < columns.size(); ++s) {
    if (!visible_[s]) continue;
    for (const Column& c : columns[s].columns) {
      if (!c.finite) continue;
      low = std::min(low, double{c.min});
      high = std::max(high, double{c.max});
    }
  }
  if (!std::isfinite(low)) return;  // nothing to scale by: the range stays
  const int ticks = std::max(2, plotRect().height() / kValueTickSpacing);
  const ValueRange nice = NiceRange(low, high, ticks);
  // Kept while the data fits and fills a fair part of it: the axis does
  // not twitch with every sample.
  const bool fits = values_.low <= low && high <= values_.high;
  const bool fills =
      (high - low) * 4 >= values_.high - values_.low || (nice.high - nice.low) * 2 >= values_.high - values_.low;
  if (!(fits && fills)) values_ = nice;
}

void PlotView::paintEvent(QPaintEvent*) {
  ++repaints_;
  readoutBox_ = QRect();
  firstTimeLabelLeft_ = -1;
  QPainter painter(this);
  const QRect plot = plotRect();
  painter.fillRect(rect(), palette().window());
  painter.fillRect(plot, Qt::white);

  std::array<Decimated, kMaxSeries> columns;
  const ColumnMapping m = mapping();
  if (history_ != nullptr && !history_->empty() && live_) {
    refreshLiveColumns();
    for (int s = 0; s < history_->seriesCount(); ++s) columns[static_cast<std::size_t>(s)] = liveColumns_.series(s);
  } else if (history_ != nullptr) {
    for (int s = 0; s < history_->seriesCount(); ++s) {
      if (visible_[static_cast<std::size_t>(s)]) columns[static_cast<std::size_t>(s)] = Decimate(*history_, s, m);
    }
  }
  updateAutoRange(columns);

  painter.setFont(font());
  const QFontMetrics metrics = painter.fontMetrics();
  // Value axis: 1-2-5 steps.
  for (const ValueTick& tick :
       ValueTicks(values_.low, values_.high, std::max(2, plot.height() / kValueTickSpacing), separator_)) {
    const int y = static_cast<int>(std::lround(yOfValue(tick.value)));
    painter.setPen(kGrid);
    painter.drawLine(plot.left(), y, plot.right(), y);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(plot.left() - kLeftMargin, y - metrics.height() / 2, kLeftMargin - 4, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, tick.label);
  }
  if (!valueTitle_.isEmpty()) {
    painter.save();
    painter.translate(0, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plot.height() / 2, 0, plot.height(), kTitleWidth), Qt::AlignCenter, valueTitle_);
    painter.restore();
  }
  // Time axis: local clock time in seconds, minutes or hours as the span needs.
  const std::int64_t from = m.startOf(m.first);
  const std::int64_t to = m.startOf(m.first + m.width);
  const auto offset = [this](std::int64_t wall) { return base_.elapsed ? 0 : LocalUtcOffsetMs(wall); };
  for (const TimeTick& tick :
       TimeTicks(from + base_.wallOffsetMs, to + base_.wallOffsetMs, std::max(1, plot.width() / kTimeTickSpacing),
                 offset, separator_, base_.elapsed)) {
    const int x = static_cast<int>(std::lround(xOfTime(tick.timeMs - base_.wallOffsetMs)));
    if (x < plot.left() || x > plot.right()) continue;
    painter.setPen(kGrid);
    painter.drawLine(x, plot.top(), x, plot.bottom());
    painter.setPen(palette().color(QPalette::WindowText));
    // A label that would reach under the value labels is left out.
    const int w = metrics.horizontalAdvance(tick.label);
    if (x - w / 2 < plot.left()) continue;
    const int left = std::min(x - w / 2, width() - w);
    if (firstTimeLabelLeft_ < 0) firstTimeLabelLeft_ = left;
    painter.drawText(left, plot.bottom() + 3 + metrics.ascent(), tick.label);
  }
  if (highlight_) {
    const double left = std::max<double>(xOfTime(highlight_->first), plot.left());
    const double right = std::min<double>(xOfTime(highlight_->second), plot.right() + 1);
    if (right > left) painter.fillRect(QRectF(left, plot.top(), right - left, plot.height()), kHighlight);
  }
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(plot.adjusted(0, 0, -1, -1));

  painter.save();
  painter.setClipRect(plot);
  drawGuides(painter);
  for (int s = 0; s < kMaxSeries; ++s) {
    if (history_ != nullptr && s < history_->seriesCount() && visible_[static_cast<std::size_t>(s)]) {
      drawSeries(painter, columns[static_cast<std::size_t>(s)], colours_[static_cast<std::size_t>(s)]);
    }
  }
  drawPeaks(painter);
  if (const QRect zoom = zoomRectangle(); !zoom.isEmpty()) {
    painter.setPen(QPen(QColor(60, 60, 200), 1, Qt::DashLine));
    painter.fillRect(zoom, QColor(60, 60, 200, 30));
    painter.drawRect(zoom.adjusted(0, 0, -1, -1));
  }
  if (fixedCursor_) {
    const double x = xOfTime(*fixedCursor_);
    painter.setPen(QPen(QColor(60, 60, 200), 1));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  }
  painter.restore();
  if (pointerX_) drawReadout(painter, columns);
}

// Under the series: the band within the limits, the limits, the levels.
void PlotView::drawGuides(QPainter& painter) const {
  const QRect plot = plotRect();
  const PlotGuides& g = guides_;
  if (g.lowerLimit && g.upperLimit) {
    const double top = yOfValue(*g.upperLimit);
    const double bottom = yOfValue(*g.lowerLimit);
    painter.fillRect(QRectF(plot.left(), top, plot.width(), bottom - top), kLimitBand);
  }
  const auto line = [&](const std::optional<double>& value, QColor colour, Qt::PenStyle style) {
    if (!value) return;
    const double y = yOfValue(*value);
    painter.setPen(QPen(colour, 1, style));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
  };
  line(g.lowerLimit, kLimitLine, Qt::DashLine);
  line(g.upperLimit, kLimitLine, Qt::DashLine);
  line(g.startLevel, kLevelLine, Qt::DotLine);
  line(g.endLevel, kLevelLine, Qt::DotLine);
}

// Over the series: each peak in view, a marker and its value.
void PlotView::drawPeaks(QPainter& painter) const {
  if (guides_.peaks.empty()) return;
  const QRect plot = plotRect();
  const QFontMetrics metrics = painter.fontMetrics();
  painter.setBrush(kPeakMark);
  for (const PlotGuides::Peak& peak : guides_.peaks) {
    const double x = xOfTime(peak.time);
    if (x < plot.left() || x > plot.right() || !std::isfinite(peak.value)) continue;
    const double y = yOfValue(peak.value);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(x, y), 3, 3);
    painter.setPen(kPeakMark);
    const int w = metrics.horizontalAdvance(peak.text);
    // Beside the marker, inside the plot; above it unless that leaves the plot.
    const double left = std::clamp(x + 5, double(plot.left()) + 2, double(plot.right()) - w - 2);
    const double base = y - 5 - metrics.descent() < plot.top() + metrics.ascent() ? y + 5 + metrics.ascent()
                                                                                  : y - 5 - metrics.descent();
    painter.drawText(QPointF(left, base), peak.text);
  }
  painter.setBrush(Qt::NoBrush);
}

void PlotView::drawSeries(QPainter& painter, const Decimated& d, QColor colour) const {
  const QRect plot = plotRect();
  std::vector<QLineF> lines;
  lines.reserve(d.columns.size() * 2);
  std::optional<QPointF> previous;
  bool broken = true;
  if (d.before && !d.before->breaks && std::isfinite(d.before->value)) {
    previous = QPointF(xOfTime(d.before->time), yOfValue(d.before->value));
    broken = false;
  }
  for (std::size_t k = 0; k < d.columns.size(); ++k) {
    const Column& c = d.columns[k];
    if (!c.finite) {
      broken = broken || c.broken;
      continue;
    }
    const double x = plot.left() + static_cast<double>(k) + 0.5;
    if (previous && !broken && !c.broken) lines.emplace_back(*previous, QPointF(x, yOfValue(c.first)));
    const double top = yOfValue(c.max);
    const double bottom = yOfValue(c.min);
    lines.emplace_back(x, top, x, std::max(bottom, top + 1));  // a lone value still shows
    previous = QPointF(x, yOfValue(c.last));
    broken = c.broken;
  }
  if (previous && !broken && d.after && !d.after->breaks && std::isfinite(d.after->value)) {
    lines.emplace_back(*previous, QPointF(xOfTime(d.after->time), yOfValue(d.after->value)));
  }
  painter.setPen(QPen(colour, 1));
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

std::vector<std::pair<QString, QColor>> PlotView::readoutLines(int x) const {
  std::vector<std::pair<QString, QColor>> lines;
  if (history_ == nullptr || history_->empty()) return lines;
  const QColor text = palette().color(QPalette::WindowText);
  const std::size_t i = history_->nearest(timeAtX(x));
  lines.emplace_back(ClockText(history_->time(i) + base_.wallOffsetMs, base_.elapsed, separator_), text);
  for (int s = 0; s < history_->seriesCount(); ++s) {
    const auto k = static_cast<std::size_t>(s);
    if (!visible_[k]) continue;
    const QString value = protocol::FormatFixed(history_->value(s, i), 15, 4, separator_);
    lines.emplace_back(units_[k].isEmpty() ? value : value + QLatin1Char(' ') + units_[k], colours_[k]);
  }
  if (!fixedCursor_) return lines;
  // From the second cursor's sample to the pointer's.
  const std::size_t a = history_->nearest(*fixedCursor_);
  const auto at = [&](std::size_t j, int s) { return CursorPoint{history_->time(j), history_->value(s, j)}; };
  lines.emplace_back(TimeDifferenceText(Difference(at(a, 0), at(i, 0)).seconds, separator_), text);
  for (int s = 0; s < history_->seriesCount(); ++s) {
    const auto k = static_cast<std::size_t>(s);
    if (!visible_[k]) continue;
    lines.emplace_back(ValueDifferenceText(Difference(at(a, s), at(i, s)), units_[k], separator_), colours_[k]);
  }
  return lines;
}

QString PlotView::readoutAt(int x) const {
  QStringList texts;
  for (const auto& line : readoutLines(x)) texts << line.first;
  return texts.join(QLatin1Char('\n'));
}

void PlotView::drawReadout(QPainter& painter, const std::array<Decimated, kMaxSeries>& columns) const {
  const QRect plot = plotRect();
  if (*pointerX_ < plot.left() || *pointerX_ > plot.right()) return;
  painter.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
  painter.drawLine(*pointerX_, plot.top(), *pointerX_, plot.bottom());
  const std::vector<std::pair<QString, QColor>> lines = readoutLines(*pointerX_);
  if (lines.empty()) return;
  const QFontMetrics metrics = painter.fontMetrics();
  int w = 0;
  for (const auto& line : lines) w = std::max(w, metrics.horizontalAdvance(line.first));
  const int h = metrics.height() * static_cast<int>(lines.size()) + 6;
  int left = *pointerX_ + 8;
  if (left + w + 8 > plot.right()) left = *pointerX_ - 8 - w - 8;
  // At the top, or at the bottom where it covers less of the curves (a
  // peak is at the top).
  const auto covered = [&](const QRect& box) {
    int count = 0;
    for (std::size_t s = 0; s < columns.size(); ++s) {
      if (!visible_[s]) continue;
      const std::vector<Column>& c = columns[s].columns;
      for (int x = std::max(box.left(), plot.left()); x <= std::min(box.right(), plot.right()); ++x) {
        const std::size_t k = static_cast<std::size_t>(x - plot.left());
        if (k >= c.size() || !c[k].finite) continue;
        // Within a few pixels of the box is as good as under it.
        if (yOfValue(c[k].max) <= box.bottom() + 6 && yOfValue(c[k].min) >= box.top() - 6) ++count;
      }
    }
    return count;
  };
  const QRect top(left, plot.top() + 4, w + 8, h);
  const QRect bottom(left, plot.bottom() - 4 - h, w + 8, h);
  const QRect box = covered(bottom) < covered(top) ? bottom : top;
  readoutBox_ = box;
  painter.fillRect(box, QColor(255, 255, 255, 230));
  painter.setPen(QColor(120, 120, 120));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  int y = box.top() + 3 + metrics.ascent();
  for (const auto& [text, colour] : lines) {
    painter.setPen(colour);
    painter.drawText(box.left() + 4, y, text);
    y += metrics.height();
  }
}

void PlotView::wheelEvent(QWheelEvent* event) {
  if (live_) {
    event->ignore();
    return;
  }
  const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
  const double factor = std::pow(0.8, delta / 120.0);
  rememberView();
  if (event->modifiers() & Qt::ShiftModifier) {
    // Values, around the value under the pointer.
    const QRect plot = plotRect();
    const double at =
        values_.low + (plot.bottom() - event->position().y()) / (plot.height() - 1) * (values_.high - values_.low);
    // Never narrower than the values' own precision, nor wider than any value.
    const double span = values_.high - values_.low;
    const double wanted = std::clamp(span * factor, std::max(1.0, std::abs(at)) * 1e-9, 1e15);
    const double scale = span > 0 ? wanted / span : 1;
    zoomedValues_ = ValueRange{at - (at - values_.low) * scale, at + (values_.high - at) * scale};
    values_ = *zoomedValues_;
  } else {
    zoomTime(factor, event->position().x());
  }
  event->accept();
  update();
  emit viewChanged();
}

// Time, around the time at a point of the plot.
void PlotView::zoomTime(double factor, double x) {
  const std::int64_t at = timeAtX(x);
  const double span = std::max<double>((to_ - from_) * factor, kLeastSpanMs);
  const QRect plot = plotRect();
  const double share = (x - plot.left()) / plot.width();
  from_ = at - static_cast<std::int64_t>(std::llround(span * share));
  to_ = from_ + static_cast<std::int64_t>(std::llround(span));
  clampView();
}

void PlotView::rememberView() {
  if (undo_.size() == kUndoSteps) undo_.erase(undo_.begin());
  undo_.push_back({from_, to_, zoomedValues_});
}

bool PlotView::undoViewStep() {
  if (live_ || undo_.empty()) return false;
  const ViewStep step = undo_.back();
  undo_.pop_back();
  from_ = step.from;
  to_ = step.to;
  zoomedValues_ = step.values;
  if (zoomedValues_) values_ = *zoomedValues_;
  clampView();
  update();
  emit viewChanged();
  return true;
}

QRect PlotView::zoomRectangle() const {
  if (!zoomFrom_ || !zoomTo_) return {};
  return QRect(*zoomFrom_, *zoomTo_).normalized().intersected(plotRect());
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
    // The second cursor, at the sample nearest the click.
    if (history_ != nullptr && !history_->empty()) {
      setFixedCursor(history_->time(history_->nearest(timeAtX(event->position().x()))));
    }
    return;
  }
  if (!live_ && event->button() == Qt::LeftButton) {
    rememberView();
    dragFrom_ = event->position().toPoint();
    dragFromTime_ = from_;
  }
  if (!live_ && event->button() == Qt::RightButton) zoomFrom_ = event->position().toPoint();
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  pointerX_ = event->position().toPoint().x();
  if (zoomFrom_) zoomTo_ = event->position().toPoint();
  if (dragFrom_ && !live_) {
    const std::int64_t span = to_ - from_;
    const double dx = event->position().x() - dragFrom_->x();
    from_ = dragFromTime_ - static_cast<std::int64_t>(std::llround(dx * span / plotRect().width()));
    to_ = from_ + span;
    clampView();
    emit viewChanged();
  }
  update();
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
  dragFrom_.reset();
  if (!zoomFrom_ || event->button() != Qt::RightButton) return;
  zoomTo_ = event->position().toPoint();
  const QRect r = zoomRectangle();
  zoomFrom_.reset();
  zoomTo_.reset();
  update();
  if (live_ || r.width() < 4 || r.height() < 4) return;  // a click, not a rectangle
  rememberView();
  const QRect plot = plotRect();
  const auto valueAt = [&](int y) {
    return values_.low + double(plot.bottom() - y) / (plot.height() - 1) * (values_.high - values_.low);
  };
  const std::int64_t from = timeAtX(r.left());
  const std::int64_t to = std::max(timeAtX(r.right() + 1), from + kLeastSpanMs);
  from_ = from;
  to_ = to;
  zoomedValues_ = ValueRange{valueAt(r.bottom()), valueAt(r.top())};
  values_ = *zoomedValues_;
  clampView();
  emit viewChanged();
}

void PlotView::mouseDoubleClickEvent(QMouseEvent*) { emit liveRequested(); }

void PlotView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && fixedCursor_) {
    setFixedCursor(std::nullopt);
    return;
  }
  if (live_) {
    QWidget::keyPressEvent(event);
    return;
  }
  const QRect plot = plotRect();
  const std::int64_t step = std::max<std::int64_t>((to_ - from_) / 10, 1);
  switch (event->key()) {
    case Qt::Key_Backspace: undoViewStep(); return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      rememberView();
      zoomTime(0.8, plot.center().x());
      break;
    case Qt::Key_Minus:
      rememberView();
      zoomTime(1.25, plot.center().x());
      break;
    case Qt::Key_Left:
      rememberView();
      from_ -= step;
      to_ -= step;
      clampView();
      break;
    case Qt::Key_Right:
      rememberView();
      from_ += step;
      to_ += step;
      clampView();
      break;
    default: QWidget::keyPressEvent(event); return;
  }
  update();
  emit viewChanged();
}

void PlotView::leaveEvent(QEvent*) {
  pointerX_.reset();
  update();
}

}  // namespace vestrix::chart
