// Record files as they reach the review: any bytes, read whole and read in
// chunks cut at a place the input chooses.
// Asserts beyond "does not crash":
//  - every line is a run's header, a record or skipped: runs + records +
//    skipped equals the lines of the input;
//  - how the input is cut into chunks changes nothing;
//  - a record has exactly the columns of its run: a value column the run
//    does not record reads NaN, and the clock is there only where the run
//    records both date and time, within the clock's ranges.
#include "record/record_reader.h"

#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace vestrix::record;

namespace {

struct Check : RecordSink {
  ColumnChoice run{};
  std::vector<std::uint64_t> seen;  // a digest per event, to compare the two readings
  void runStarted(const ColumnChoice& columns) override {
    run = columns;
    std::uint64_t d = 1;
    for (bool c : columns) d = d * 3 + c;
    seen.push_back(d);
  }
  void recordRead(const ReadRecord& r) override {
    for (int k = 0; k < kValueColumns; ++k) {
      if (!run[static_cast<int>(kValueColumn[k])] && !std::isnan(r.values[static_cast<std::size_t>(k)])) std::abort();
    }
    const bool clock = run[static_cast<int>(Column::Date)] && run[static_cast<int>(Column::Time)];
    if (r.clock.has_value() != clock) std::abort();
    if (r.clock && (r.clock->month < 1 || r.clock->month > 12 || r.clock->hour > 23 || r.clock->millisecond > 999)) {
      std::abort();
    }
    if (r.number.has_value() != run[static_cast<int>(Column::Number)]) std::abort();
    std::uint64_t d = 7;
    for (float v : r.values) d = d * 31 + (std::isnan(v) ? 1 : static_cast<std::uint64_t>(std::fpclassify(v)));
    seen.push_back(d + (r.number ? static_cast<std::uint64_t>(*r.number) : 0));
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::uint64_t lines = 0;
  for (char c : input) lines += c == '\n';
  if (!input.empty() && input.back() != '\n') ++lines;

  Check whole;
  RecordReader reader(whole);
  reader.feed(input);
  reader.finish();
  if (reader.runs() + reader.records() + reader.skipped() != lines) std::abort();

  Check pieces;
  RecordReader cut(pieces);
  const std::size_t at = size > 0 ? data[0] % size : 0;
  cut.feed(input.substr(0, at));
  for (std::size_t i = at; i < size; i += 3) cut.feed(input.substr(i, 3));
  cut.finish();
  if (pieces.seen != whole.seen || cut.skipped() != reader.skipped()) std::abort();
  return 0;
}
