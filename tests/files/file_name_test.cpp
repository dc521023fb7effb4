#include "files/file_name.h"

#include <gtest/gtest.h>

namespace vestrix::files {
namespace {

TEST(WithExtension, AddedUnlessTheNameEndsInExactlyIt) {
  const struct {
    const char* chosen;
    const char* extension;
    const char* path;
  } cases[] = {
      {"plot", ".png", "plot.png"},
      {"plot.png", ".png", "plot.png"},
      {"plot.PNG", ".png", "plot.PNG.png"},
      {"results.txt", ".csv", "results.txt.csv"},
      {"/home/u/run.2026/plot", ".png", "/home/u/run.2026/plot.png"},
      {"C:\\runs.old\\plot", ".png", "C:\\runs.old\\plot.png"},
      {"C:plot", ".png", "C:plot.png"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithExtension(c.chosen, c.extension), c.path) << c.chosen;
}

}  // namespace
}  // namespace vestrix::files
