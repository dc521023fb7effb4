#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vestrix::chart {

// The samples a chart keeps: each an arrival time in milliseconds and up
// to five float values, in a ring of fixed capacity (the oldest go when it
// is full). Stored column by column, 25 bytes a sample (a 39-bit time and
// a flag in five bytes, five floats), with a min/max summary for every
// block of 64 slots, so that a zoomed-out view reads blocks rather than
// every sample. Times never go back: an earlier one is kept as the latest.
// The GUI thread alone feeds and reads it.
class SampleHistory {
 public:
  static constexpr int kMaxSeries = 5;
  static constexpr std::size_t kBlock = 64;

  // Of a block and a series: the least and greatest finite value, whether
  // it holds a finite value at all, and whether anything in it breaks the
  // line (a value that is not finite, or the start of a new run).
  struct BlockSummary {
    float min;
    float max;
    bool finite;
    bool broken;
  };

  // The kept samples [begin, end) that share one block; summarised when the
  // block's summary covers exactly them.
  struct BlockSpan {
    std::size_t begin;
    std::size_t end;
    bool summarised;
  };

  SampleHistory(int seriesCount, std::size_t capacity);

  int seriesCount() const { return seriesCount_; }
  std::size_t capacity() const { return capacity_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // gapBefore: the sample starts a new run (after a pause of the
  // connection, or a new run in a file): no line joins it to the one before.
  void append(std::int64_t timeMs, const float* values, bool gapBefore = false);
  void clear();
  // Moves every time kept, and those to come, by delta.
  void shiftTimes(std::int64_t delta) {
    epoch_ += delta;
    latest_ += delta;
  }

  // Samples by age: 0 is the oldest kept.
  std::int64_t time(std::size_t index) const;
  float value(int series, std::size_t index) const { return values_[series][slot(index)]; }
  bool gapBefore(std::size_t index) const { return (timeHigh_[slot(index)] & kGapBit) != 0; }
  // Whether the line of a series breaks at this sample.
  bool breaks(int series, std::size_t index) const;

  // The first sample at or after a time (size() when none).
  std::size_t lowerBound(std::int64_t timeMs) const;
  // The sample nearest to a time (the earlier of two as near); the history
  // must not be empty.
  std::size_t nearest(std::int64_t timeMs) const;

  // The block that kept sample `index` lies in, as far as its summary goes.
  BlockSpan blockAt(std::size_t index) const;
  BlockSummary summary(int series, std::size_t index) const;

  // Bytes held per sample of capacity, the block summaries included.
  double bytesPerSample() const;

 private:
  static constexpr std::uint8_t kGapBit = 0x80;
  static constexpr std::int64_t kMaxRelativeTime = (std::int64_t{1} << 39) - 1;  // 17 years

  std::size_t slot(std::size_t index) const {
    const std::size_t s = head_ + index;
    return s >= capacity_ ? s - capacity_ : s;
  }
  std::size_t indexOfSlot(std::size_t s) const { return s >= head_ ? s - head_ : s + capacity_ - head_; }
  void summarise(std::size_t slot);

  int seriesCount_;
  std::size_t capacity_;
  std::size_t head_ = 0;  // slot of the oldest sample
  std::size_t size_ = 0;
  bool started_ = false;
  std::int64_t epoch_ = 0;  // time of the first sample
  std::int64_t latest_ = 0;
  std::vector<std::uint32_t> timeLow_;
  std::vector<std::uint8_t> timeHigh_;  // 7 high bits of the time, and the gap flag
  std::array<std::vector<float>, kMaxSeries> values_;
  // Per block: min and max per series, and two flags per series (finite,
  // broken) in one word.
  std::array<std::vector<float>, kMaxSeries> blockMin_;
  std::array<std::vector<float>, kMaxSeries> blockMax_;
  std::vector<std::uint16_t> blockFlags_;
};

}  // namespace vestrix::chart
