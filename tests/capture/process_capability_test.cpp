#include "capture/process_capability.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

namespace vestrix::capture {
namespace {

RunningStats Peaks(std::initializer_list<double> values) {
  RunningStats stats;
  for (double v : values) stats.add(v);
  return stats;
}

// Computed by hand: the peaks 98..102 have mean 100 and s = sqrt(2.5).
TEST(ProcessCapability, AgainstFiguresComputedByHand) {
  const struct {
    std::optional<double> lower, upper;
    double cp, cpk;
  } cases[] = {
      {90, 110, 2.108185, 2.108185},    // centred
      {95, 110, 1.581139, 1.054093},    // nearer the lower limit
      {101, 110, 0.948683, -0.210819},  // the mean outside the limits: negative
      {90, 100, 1.054093, 0.0},         // the mean on a limit
  };
  const RunningStats peaks = Peaks({98, 99, 100, 101, 102});
  for (const auto& c : cases) {
    const Capability got = ProcessCapability(peaks, c.lower, c.upper);
    ASSERT_TRUE(got.shown()) << *c.lower << ".." << *c.upper;
    EXPECT_NEAR(got.cp, c.cp, 1e-6) << *c.lower << ".." << *c.upper;
    EXPECT_NEAR(got.cpk, c.cpk, 1e-6) << *c.lower << ".." << *c.upper;
    EXPECT_EQ(got.count, 5);
  }
}

TEST(ProcessCapability, NotShownWhereItWouldMislead) {
  using Missing = Capability::Missing;
  const struct {
    const char* name;
    RunningStats peaks;
    std::optional<double> lower, upper;
    Missing missing;
  } cases[] = {
      {"a single test", Peaks({100}), 90, 110, Missing::TooFewTests},
      {"one test short", Peaks({98, 99, 101, 102}), 90, 110, Missing::TooFewTests},
      {"no tests", Peaks({}), 90, 110, Missing::TooFewTests},
      {"equal peaks", Peaks({100, 100, 100, 100, 100, 100}), 90, 110, Missing::NoSpread},
      {"the lower limit only", Peaks({98, 99, 100, 101, 102}), 90, std::nullopt, Missing::Limits},
      {"the upper limit only", Peaks({98, 99, 100, 101, 102}), std::nullopt, 110, Missing::Limits},
      {"no limits", Peaks({98, 99, 100, 101, 102}), std::nullopt, std::nullopt, Missing::Limits},
  };
  for (const auto& c : cases) {
    const Capability got = ProcessCapability(c.peaks, c.lower, c.upper);
    EXPECT_EQ(got.missing, c.missing) << c.name;
    EXPECT_FALSE(got.shown()) << c.name;
  }
}

// Compression tests have negative peaks and limits: the figures are the
// same as for their mirror image.
TEST(ProcessCapability, CompressionPeaksMirrorTension) {
  const Capability tension = ProcessCapability(Peaks({98, 99, 100, 101, 102}), 95, 110);
  const Capability compression = ProcessCapability(Peaks({-98, -99, -100, -101, -102}), -110, -95);
  EXPECT_NEAR(compression.cp, tension.cp, 1e-9);
  EXPECT_NEAR(compression.cpk, tension.cpk, 1e-9);
}

}  // namespace
}  // namespace vestrix::capture
