#include "chart/review_loader.h"

#include "chart/review_loading.h"

#include <gtest/gtest.h>

#include <string>

namespace vestrix::chart {
namespace {

using review_test::Load;

// Without the clock columns, the record numbers times the period make the
// time axis; a run without numbers counts its records; runs follow one
// another, each a segment.
TEST(ReviewLoader, WithoutTheClockTheNumbersTimesThePeriod) {
  ReviewLoader* loader = nullptr;
  const auto h = Load("No.;Tensometr;\r\n0;1.00;\r\n1;2.00;\r\n3;4.00;\r\nEnkoder;\r\n7.00;\r\n8.00;\r\n", 75, &loader);
  ASSERT_EQ(h->size(), 5u);
  EXPECT_FALSE(loader->wallClock());
  EXPECT_EQ(h->time(0), 0);
  EXPECT_EQ(h->time(1), 75);
  EXPECT_EQ(h->time(2), 225);  // record number 3: a record was not written
  EXPECT_EQ(h->time(3), 300);  // the next run, a period after
  EXPECT_EQ(h->time(4), 375);
  EXPECT_TRUE(h->gapBefore(3));
  EXPECT_EQ(h->value(1, 3), 7.0f);
  EXPECT_TRUE(std::isnan(h->value(0, 3)));  // a column this run does not record
  EXPECT_EQ(loader->present(), (std::array<bool, 5>{true, true, false, false, false}));
}

TEST(ReviewLoader, WithTheClockThePCsTime) {
  ReviewLoader* loader = nullptr;
  const auto h =
      Load("Date;Time;Tensometr;\r\n10-12-2026;23:59:59:900;1.00;\r\n11-12-2026;0:0:0:150;2.00;\r\n", 15, &loader);
  ASSERT_EQ(h->size(), 2u);
  EXPECT_TRUE(loader->wallClock());
  EXPECT_EQ(h->time(1) - h->time(0), 250);  // across midnight
}

}  // namespace
}  // namespace vestrix::chart
