// Reads a record file's text into a sample history, as the Charts page's
// review does, for the tests of the review loader.
#pragma once

#include "chart/review_loader.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vestrix::chart::review_test {

// The loader stays alive until the next call, so that a test can ask it what
// it found (through KEPT).
inline std::unique_ptr<SampleHistory> Load(const std::string& content, std::int64_t periodMs,
                                           ReviewLoader** kept = nullptr) {
  auto history = std::make_unique<SampleHistory>(5, 1000);
  static std::unique_ptr<ReviewLoader> loader;
  loader = std::make_unique<ReviewLoader>(*history, periodMs);
  record::RecordReader reader(*loader);
  reader.feed(content);
  reader.finish();
  if (kept != nullptr) *kept = loader.get();
  return history;
}

}  // namespace vestrix::chart::review_test
