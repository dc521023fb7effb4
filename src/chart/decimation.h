#pragma once

#include "chart/sample_history.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vestrix::chart {

// How times map to pixel columns: column k (counted from `first`) holds the
// samples with floor((time - origin) * width / span) == first + k. A live
// view keeps origin and span fixed and moves `first` as time goes on, so
// that a new sample touches only the last column.
struct ColumnMapping {
  std::int64_t origin = 0;
  std::int64_t span = 1;  // milliseconds across `width` columns
  int width = 1;
  std::int64_t first = 0;  // the absolute column at x = 0

  std::int64_t columnOf(std::int64_t timeMs) const;
  // The first time of an absolute column.
  std::int64_t startOf(std::int64_t column) const;
};

// One pixel column of one series.
struct Column {
  float min = 0;
  float max = 0;
  float first = 0;  // the first and last finite values, in time order
  float last = 0;
  bool finite = false;  // it holds a finite value
  bool broken = false;  // something in it breaks the line
  bool operator==(const Column&) const = default;
};

// The sample just outside a view on one side, to which the line runs on.
struct Anchor {
  std::int64_t time = 0;
  float value = 0;
  bool breaks = false;  // the line breaks at it
  bool operator==(const Anchor&) const = default;
};

struct Decimated {
  std::vector<Column> columns;  // mapping.width of them
  std::optional<Anchor> before;
  std::optional<Anchor> after;
};

// Min and max per pixel column of a series over the columns of a mapping,
// reading block summaries where a block lies whole inside a column.
Decimated Decimate(const SampleHistory& history, int series, const ColumnMapping& mapping);

// Folds one sample's value into a column (a live view's last column).
void Fold(Column& column, float value, bool breaks);

// The columns of a live view, kept up to date sample by sample: the view's
// right edge is the newest sample's column, and a new sample touches only
// the last column (or moves the view on by the columns it skips).
class LiveColumns {
 public:
  enum class Change { None, LastColumn, Moved };

  // Decimates the history anew for a mapping (span and width; `first`
  // follows the newest sample).
  void reset(const SampleHistory& history, std::int64_t span, int width, std::uint32_t seriesMask);
  // The history's newest sample was appended.
  Change append(const SampleHistory& history);

  const ColumnMapping& mapping() const { return mapping_; }
  std::uint32_t mask() const { return mask_; }
  const Decimated& series(int s) const { return series_[static_cast<std::size_t>(s)]; }

 private:
  ColumnMapping mapping_;
  std::uint32_t mask_ = 0;
  std::array<Decimated, SampleHistory::kMaxSeries> series_;
};

}  // namespace vestrix::chart
