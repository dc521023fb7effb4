#include "chart/sample_history.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vestrix::chart {

namespace {

constexpr std::uint16_t FiniteBit(int series) { return static_cast<std::uint16_t>(1u << (2 * series)); }
constexpr std::uint16_t BrokenBit(int series) { return static_cast<std::uint16_t>(2u << (2 * series)); }

}  // namespace

SampleHistory::SampleHistory(int seriesCount, std::size_t capacity)
    : seriesCount_(std::clamp(seriesCount, 1, kMaxSeries)), capacity_(std::max<std::size_t>(capacity, 1)) {
  // Grown as samples come, up to the capacity: a history that is never fed
  // costs nothing.
}

void SampleHistory::clear() {
  head_ = 0;
  size_ = 0;
  started_ = false;
  timeLow_.clear();
  timeHigh_.clear();
  for (int s = 0; s < kMaxSeries; ++s) {
    values_[s].clear();
    blockMin_[s].clear();
    blockMax_[s].clear();
  }
  blockFlags_.clear();
}

void SampleHistory::append(std::int64_t timeMs, const float* values, bool gapBefore) {
  if (!started_) {
    started_ = true;
    epoch_ = timeMs;
    latest_ = timeMs;
  }
  latest_ = std::max(latest_, timeMs);
  const auto relative = static_cast<std::uint64_t>(std::min(latest_ - epoch_, kMaxRelativeTime));
  std::size_t s;
  if (size_ < capacity_) {
    s = size_++;
    timeLow_.push_back(0);
    timeHigh_.push_back(0);
    for (int k = 0; k < seriesCount_; ++k) values_[k].push_back(0);
    if (s % kBlock == 0) {
      for (int k = 0; k < seriesCount_; ++k) {
        blockMin_[k].push_back(0);
        blockMax_[k].push_back(0);
      }
      blockFlags_.push_back(0);
    }
  } else {
    s = head_;  // the oldest goes
    head_ = head_ + 1 == capacity_ ? 0 : head_ + 1;
  }
  timeLow_[s] = static_cast<std::uint32_t>(relative);
  timeHigh_[s] = static_cast<std::uint8_t>((relative >> 32) & 0x7F) | (gapBefore ? kGapBit : 0);
  for (int k = 0; k < seriesCount_; ++k) values_[k][s] = values[k];
  summarise(s);
}

void SampleHistory::summarise(std::size_t s) {
  const std::size_t block = s / kBlock;
  std::uint16_t& flags = blockFlags_[block];
  if (s % kBlock == 0) flags = 0;  // the block begins anew with this slot
  const bool gap = (timeHigh_[s] & kGapBit) != 0;
  for (int k = 0; k < seriesCount_; ++k) {
    const float v = values_[k][s];
    float& lo = blockMin_[k][block];
    float& hi = blockMax_[k][block];
    if (s % kBlock == 0) {
      lo = std::numeric_limits<float>::infinity();
      hi = -std::numeric_limits<float>::infinity();
    }
    if (std::isfinite(v)) {
      lo = std::min(lo, v);
      hi = std::max(hi, v);
      flags |= FiniteBit(k);
    }
    if (gap || !std::isfinite(v)) flags |= BrokenBit(k);
  }
}

std::int64_t SampleHistory::time(std::size_t index) const {
  const std::size_t s = slot(index);
  return epoch_ + static_cast<std::int64_t>((std::uint64_t{timeHigh_[s] & 0x7Fu} << 32) | timeLow_[s]);
}

bool SampleHistory::breaks(int series, std::size_t index) const {
  return gapBefore(index) || !std::isfinite(value(series, index));
}

std::size_t SampleHistory::lowerBound(std::int64_t timeMs) const {
  std::size_t low = 0;
  std::size_t high = size_;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (time(middle) < timeMs) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

std::size_t SampleHistory::nearest(std::int64_t timeMs) const {
  const std::size_t after = lowerBound(timeMs);
  if (after == size_) return size_ - 1;
  if (after > 0 && timeMs - time(after - 1) <= time(after) - timeMs) return after - 1;
  return after;
}

SampleHistory::BlockSpan SampleHistory::blockAt(std::size_t index) const {
  const std::size_t s = slot(index);
  const std::size_t blockStart = s - s % kBlock;
  const std::size_t blockEnd = std::min(blockStart + kBlock, capacity_);
  // The block last written to holds, after the newest sample, the oldest
  // ones from before the ring came round: its summary covers only the new.
  const std::size_t newest = slot(size_ - 1);
  if (newest / kBlock == s / kBlock && size_ == capacity_ && blockEnd != newest + 1) {
    if (s <= newest) return {indexOfSlot(blockStart), index + (newest - s) + 1, true};
    return {index - (s - newest - 1), indexOfSlot(blockEnd - 1) + 1, false};
  }
  const std::size_t begin = indexOfSlot(blockStart);
  return {begin, std::min(begin + (blockEnd - blockStart), size_), true};
}

SampleHistory::BlockSummary SampleHistory::summary(int series, std::size_t index) const {
  const std::size_t block = slot(index) / kBlock;
  const std::uint16_t flags = blockFlags_[block];
  return {blockMin_[series][block], blockMax_[series][block], (flags & FiniteBit(series)) != 0,
          (flags & BrokenBit(series)) != 0};
}

double SampleHistory::bytesPerSample() const {
  const double sample = sizeof(std::uint32_t) + sizeof(std::uint8_t) + seriesCount_ * sizeof(float);
  const double block = 2.0 * seriesCount_ * sizeof(float) + sizeof(std::uint16_t);
  return sample + block / kBlock;
}

}  // namespace vestrix::chart
