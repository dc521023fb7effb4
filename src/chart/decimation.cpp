#include "chart/decimation.h"

#include <algorithm>
#include <cmath>

namespace vestrix::chart {

namespace {

// floor(a / b) for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void FoldBlock(Column& column, const SampleHistory::BlockSummary& block) {
  if (block.finite) {
    column.min = column.finite ? std::min(column.min, block.min) : block.min;
    column.max = column.finite ? std::max(column.max, block.max) : block.max;
    column.finite = true;
  }
  column.broken = column.broken || block.broken;
}

// The first and last finite values of samples [begin, end), skipping the
// blocks that hold none.
void FindEnds(const SampleHistory& h, int series, std::size_t begin, std::size_t end, Column& column) {
  for (std::size_t i = begin; i < end;) {
    const SampleHistory::BlockSpan span = h.blockAt(i);
    if (span.summarised && span.begin == i && span.end <= end && !h.summary(series, i).finite) {
      i = span.end;
      continue;
    }
    if (std::isfinite(h.value(series, i))) {
      column.first = h.value(series, i);
      break;
    }
    ++i;
  }
  for (std::size_t i = end; i > begin;) {
    const SampleHistory::BlockSpan span = h.blockAt(i - 1);
    if (span.summarised && span.end == i && span.begin >= begin && !h.summary(series, i - 1).finite) {
      i = span.begin;
      continue;
    }
    if (std::isfinite(h.value(series, i - 1))) {
      column.last = h.value(series, i - 1);
      break;
    }
    --i;
  }
}

}  // namespace

std::int64_t ColumnMapping::columnOf(std::int64_t timeMs) const { return FloorDiv((timeMs - origin) * width, span); }

std::int64_t ColumnMapping::startOf(std::int64_t column) const {
  // The least time whose column is `column`: ceil(column * span / width).
  return origin - FloorDiv(-column * span, width);
}

void Fold(Column& column, float value, bool breaks) {
  if (std::isfinite(value)) {
    if (!column.finite) {
      column.min = column.max = column.first = value;
    } else {
      column.min = std::min(column.min, value);
      column.max = std::max(column.max, value);
    }
    column.last = value;
    column.finite = true;
  }
  column.broken = column.broken || breaks;
}

Decimated Decimate(const SampleHistory& h, int series, const ColumnMapping& m) {
  Decimated out;
  out.columns.resize(static_cast<std::size_t>(std::max(m.width, 0)));
  if (h.empty() || m.width <= 0 || m.span <= 0) return out;
  const std::size_t viewBegin = h.lowerBound(m.startOf(m.first));
  const std::size_t viewEnd = h.lowerBound(m.startOf(m.first + m.width));
  if (viewBegin > 0) {
    out.before = Anchor{h.time(viewBegin - 1), h.value(series, viewBegin - 1), h.breaks(series, viewBegin - 1)};
  }
  if (viewEnd < h.size()) out.after = Anchor{h.time(viewEnd), h.value(series, viewEnd), h.breaks(series, viewEnd)};
  std::size_t i = viewBegin;
  for (int x = 0; x < m.width && i < viewEnd; ++x) {
    const std::size_t end = x + 1 == m.width ? viewEnd : h.lowerBound(m.startOf(m.first + x + 1));
    Column& column = out.columns[static_cast<std::size_t>(x)];
    if (end == i) continue;
    const std::size_t begin = i;
    while (i < end) {
      const SampleHistory::BlockSpan span = h.blockAt(i);
      if (span.summarised && span.begin == i && span.end <= end) {
        FoldBlock(column, h.summary(series, i));
        i = span.end;
      } else {
        Fold(column, h.value(series, i), h.breaks(series, i));
        ++i;
      }
    }
    if (column.finite) FindEnds(h, series, begin, end, column);
  }
  return out;
}

void LiveColumns::reset(const SampleHistory& h, std::int64_t span, int width, std::uint32_t seriesMask) {
  mapping_ = ColumnMapping{};
  mapping_.span = std::max<std::int64_t>(span, 1);
  mapping_.width = std::max(width, 1);
  mapping_.first = (h.empty() ? 0 : mapping_.columnOf(h.time(h.size() - 1))) - mapping_.width + 1;
  mask_ = seriesMask;
  for (int s = 0; s < SampleHistory::kMaxSeries; ++s) {
    series_[static_cast<std::size_t>(s)] =
        s < h.seriesCount() && (mask_ & (1u << s)) ? Decimate(h, s, mapping_) : Decimated{};
  }
}

LiveColumns::Change LiveColumns::append(const SampleHistory& h) {
  if (h.empty()) return Change::None;
  const std::size_t newest = h.size() - 1;
  const std::int64_t column = mapping_.columnOf(h.time(newest));
  const std::int64_t last = mapping_.first + mapping_.width - 1;
  Change change = Change::None;
  const std::int64_t move = std::max<std::int64_t>(column - last, 0);
  if (move > 0) {
    mapping_.first += move;
    change = Change::Moved;
  }
  // The samples before the view, as far as the ring still keeps them.
  const std::size_t viewBegin = move > 0 ? h.lowerBound(mapping_.startOf(mapping_.first)) : 0;
  for (int s = 0; s < h.seriesCount(); ++s) {
    if (!(mask_ & (1u << s))) continue;
    Decimated& d = series_[static_cast<std::size_t>(s)];
    if (d.columns.size() != static_cast<std::size_t>(mapping_.width)) d.columns.assign(mapping_.width, Column{});
    if (move > 0) {
      const auto shift = static_cast<std::size_t>(std::min<std::int64_t>(move, mapping_.width));
      d.columns.erase(d.columns.begin(), d.columns.begin() + static_cast<std::ptrdiff_t>(shift));
      d.columns.resize(static_cast<std::size_t>(mapping_.width));
      d.before.reset();
      if (viewBegin > 0) {
        d.before = Anchor{h.time(viewBegin - 1), h.value(s, viewBegin - 1), h.breaks(s, viewBegin - 1)};
      }
    }
    Column& target = d.columns.back();
    const Column before = target;
    Fold(target, h.value(s, newest), h.breaks(s, newest));
    // The last column shows its extent; its last value shows only once a
    // column follows it.
    const bool shown = target.finite != before.finite || target.broken != before.broken ||
                       (target.finite && (target.min != before.min || target.max != before.max));
    if (change == Change::None && shown) change = Change::LastColumn;
  }
  return change;
}

}  // namespace vestrix::chart
