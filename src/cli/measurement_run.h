#pragma once

#include "cli/command_context.h"
#include "protocol/measurement_sample.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace vestrix::cli {

// The measurements of a command that takes them for a while (watch,
// record, tests): polled from the instrument until the command has what it
// wants, the time is up, or SIGINT, SIGTERM or SIGHUP come (a clean end).
// An instrument that goes and comes back, or falls silent, is said on
// standard error; the run goes on as the window's does.
class MeasurementRun {
 public:
  explicit MeasurementRun(CommandContext& context) : context_(context) {}

  // Calls onSample for every measurement until finished() holds (checked
  // after each), the seconds have passed or a signal came. CommandEnd 5
  // when the first measurement does not come within a second.
  void run(const std::function<void(const protocol::MeasurementSample&)>& onSample,
           const std::function<bool()>& finished, std::optional<double> seconds);

  // Milliseconds since run() began.
  std::int64_t elapsedMs() const;
  bool signalled() const { return signalled_; }

 private:
  CommandContext& context_;
  std::int64_t startMs_ = 0;
  bool signalled_ = false;
};

}  // namespace vestrix::cli
