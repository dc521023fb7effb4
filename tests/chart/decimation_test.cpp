// The decimation against a brute-force oracle: every sample looked at, one
// by one, on random histories (wrap-around, values that are not finite,
// runs, times that stand still or try to go back) and random views.
#include "chart/decimation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace vestrix::chart {
namespace {

// Every sample folded into the column its time maps to.
Decimated Oracle(const SampleHistory& h, int series, const ColumnMapping& m) {
  Decimated out;
  out.columns.resize(static_cast<std::size_t>(m.width));
  for (std::size_t i = 0; i < h.size(); ++i) {
    const std::int64_t c = m.columnOf(h.time(i)) - m.first;
    const Anchor anchor{h.time(i), h.value(series, i), h.breaks(series, i)};
    if (c < 0) {
      out.before = anchor;
    } else if (c >= m.width) {
      if (!out.after) out.after = anchor;
    } else {
      Fold(out.columns[static_cast<std::size_t>(c)], h.value(series, i), h.breaks(series, i));
    }
  }
  return out;
}

void ExpectSame(const Decimated& got, const Decimated& want, const std::string& what) {
  ASSERT_EQ(got.columns.size(), want.columns.size()) << what;
  for (std::size_t c = 0; c < want.columns.size(); ++c) {
    const Column& g = got.columns[c];
    const Column& w = want.columns[c];
    ASSERT_EQ(g.finite, w.finite) << what << " column " << c;
    ASSERT_EQ(g.broken, w.broken) << what << " column " << c;
    if (w.finite) {
      ASSERT_EQ(g.min, w.min) << what << " column " << c;
      ASSERT_EQ(g.max, w.max) << what << " column " << c;
      ASSERT_EQ(g.first, w.first) << what << " column " << c;
      ASSERT_EQ(g.last, w.last) << what << " column " << c;
    }
  }
  auto same = [](const std::optional<Anchor>& a, const std::optional<Anchor>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    return a->time == b->time && a->breaks == b->breaks &&
           (a->value == b->value || (std::isnan(a->value) && std::isnan(b->value)));
  };
  EXPECT_TRUE(same(got.before, want.before)) << what << " before";
  EXPECT_TRUE(same(got.after, want.after)) << what << " after";
}

// A history of random samples: steps of 0 to 30 ms (now and then a step
// back, which the history holds at the latest time), a value not finite
// now and then, and new runs.
void Fill(SampleHistory& h, std::mt19937& random, std::size_t samples, std::int64_t start, double oddShare) {
  std::uniform_int_distribution<int> step(0, 30);
  std::uniform_real_distribution<float> value(-1000, 1000);
  std::uniform_real_distribution<double> chance(0, 1);
  std::int64_t t = start;
  for (std::size_t i = 0; i < samples; ++i) {
    t += chance(random) < 0.02 ? -50 : step(random);
    float v[SampleHistory::kMaxSeries];
    for (float& x : v) {
      const double c = chance(random);
      x = c < oddShare / 3       ? std::numeric_limits<float>::quiet_NaN()
          : c < 2 * oddShare / 3 ? std::numeric_limits<float>::infinity()
          : c < oddShare         ? -std::numeric_limits<float>::infinity()
                                 : value(random);
    }
    h.append(t, v, chance(random) < 0.005);
  }
}

TEST(Decimation, MatchesTheOracleOnRandomHistoriesAndViews) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 60; ++round) {
    const std::size_t capacity = std::uniform_int_distribution<std::size_t>(1, 5000)(random);
    const std::size_t samples = std::uniform_int_distribution<std::size_t>(0, 12000)(random);
    SampleHistory h(5, capacity);
    Fill(h, random, samples, std::uniform_int_distribution<std::int64_t>(0, 1000000)(random), round % 3 ? 0.05 : 0.6);
    for (int view = 0; view < 8; ++view) {
      ColumnMapping m;
      m.width = std::uniform_int_distribution<int>(1, 1200)(random);
      m.span = std::uniform_int_distribution<std::int64_t>(1, 400000)(random);
      m.origin = h.empty() ? 0 : h.time(std::uniform_int_distribution<std::size_t>(0, h.size() - 1)(random));
      m.first = std::uniform_int_distribution<std::int64_t>(-m.width, m.width)(random);
      const int series = std::uniform_int_distribution<int>(0, 4)(random);
      const std::string what = "round " + std::to_string(round) + " view " + std::to_string(view);
      ExpectSame(Decimate(h, series, m), Oracle(h, series, m), what);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(Decimation, EdgeCases) {
  SampleHistory empty(1, 10);
  ColumnMapping m{0, 1000, 10, 0};
  const Decimated none = Decimate(empty, 0, m);
  EXPECT_EQ(none.columns.size(), 10u);
  EXPECT_FALSE(none.before);
  EXPECT_FALSE(none.after);

  SampleHistory one(1, 10);
  const float v = 3.5f;
  one.append(500, &v);
  ExpectSame(Decimate(one, 0, m), Oracle(one, 0, m), "one sample");
  EXPECT_TRUE(Decimate(one, 0, m).columns[5].finite);
  // A span of one pixel.
  ExpectSame(Decimate(one, 0, {0, 1000, 1, 0}), Oracle(one, 0, {0, 1000, 1, 0}), "one pixel");
}

// Millions of samples in view read through the block summaries give what
// every sample gives.
TEST(Decimation, MillionsOfSamplesInViewMatchTheOracle) {
  std::mt19937 random(7);
  SampleHistory h(2, 3000000);
  Fill(h, random, 3000000, 0, 0.001);
  for (const int width : {1, 7, 1000}) {
    const ColumnMapping m{h.time(0), h.time(h.size() - 1) - h.time(0) + 1, width, 0};
    ExpectSame(Decimate(h, 1, m), Oracle(h, 1, m), "width " + std::to_string(width));
  }
}

// A live view kept sample by sample shows what decimating the history
// anew shows.
TEST(LiveColumns, FollowTheNewestSampleAsDecimationDoes) {
  std::mt19937 random(99);
  for (int round = 0; round < 20; ++round) {
    SampleHistory h(3, 100000);
    Fill(h, random, 50, 0, 0.05);
    LiveColumns live;
    const std::int64_t span = std::uniform_int_distribution<std::int64_t>(100, 20000)(random);
    const int width = std::uniform_int_distribution<int>(1, 700)(random);
    live.reset(h, span, width, 0b101);
    for (int i = 0; i < 3000; ++i) {
      SampleHistory one(3, 1);
      Fill(one, random, 1, h.time(h.size() - 1), 0.05);
      float v[3] = {one.value(0, 0), one.value(1, 0), one.value(2, 0)};
      const std::int64_t t = h.time(h.size() - 1) + std::uniform_int_distribution<int>(0, 60)(random);
      h.append(t, v, i % 997 == 0);
      live.append(h);
    }
    LiveColumns fresh;
    fresh.reset(h, span, width, 0b101);
    EXPECT_EQ(live.mapping().first, fresh.mapping().first);
    for (const int s : {0, 2}) ExpectSame(live.series(s), fresh.series(s), "round " + std::to_string(round));
    EXPECT_TRUE(live.series(1).columns.empty());  // not asked for
  }
}

TEST(LiveColumns, TellWhatANewSampleChanged) {
  SampleHistory h(1, 1000);
  const float ten = 10;
  h.append(0, &ten);
  LiveColumns live;
  live.reset(h, 1000, 10, 1);  // 100 ms a column
  h.append(50, &ten);
  EXPECT_EQ(live.append(h), LiveColumns::Change::None);  // same column, same extent
  const float eleven = 11;
  h.append(60, &eleven);
  EXPECT_EQ(live.append(h), LiveColumns::Change::LastColumn);
  h.append(150, &eleven);
  EXPECT_EQ(live.append(h), LiveColumns::Change::Moved);
}

}  // namespace
}  // namespace vestrix::chart
