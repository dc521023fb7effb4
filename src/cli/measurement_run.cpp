#include "cli/measurement_run.h"

#include "cli/exit_code.h"
#include "loop/signal_watch.h"

#include <QTimer>

#include <algorithm>

namespace vestrix::cli {

std::int64_t MeasurementRun::elapsedMs() const { return context_.env().monotonicMs() - startMs_; }

void MeasurementRun::run(const std::function<void(const protocol::MeasurementSample&)>& onSample,
                         const std::function<bool()>& finished, std::optional<double> seconds) {
  InstrumentSession& session = context_.connect();
  startMs_ = context_.env().monotonicMs();
  loop::SignalWatch termination([&] {
    signalled_ = true;
    session.interrupt();
  });
  session.onMeasurement = onSample;
  session.onConnection = [this](bool connected) {
    context_.note(connected ? "the instrument is back: measuring again"
                            : "the instrument is gone: waiting for it to come back");
  };
  // Silence while connected is said once, and its end once.
  std::uint64_t seen = session.measurements();
  bool silent = false;
  QTimer watchdog;
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    const bool quiet = session.connected() && session.measurements() == seen;
    if (quiet != silent) {
      context_.note(quiet ? "no measurement from the instrument for a second: still asking"
                          : "measurements come again");
    }
    silent = quiet;
    seen = session.measurements();
  });
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, [&] { session.interrupt(); });
  session.startPolling();
  const std::uint64_t before = session.measurements();
  const bool first =
      session.waitFor([&] { return session.measurements() != before; }, InstrumentSession::kReplyTimeoutMs);
  if (!first && !session.interrupted()) {
    session.stopPolling();
    throw CommandEnd{kNoReply, "no measurement from the instrument within one second"};
  }
  watchdog.start(InstrumentSession::kReplyTimeoutMs);
  if (seconds) {
    const double remaining = *seconds * 1000.0 - static_cast<double>(elapsedMs());
    limit.start(static_cast<int>(std::clamp(remaining, 0.0, 2.0e9)));
  }
  session.waitFor(finished, -1);
  session.stopPolling();
  session.onMeasurement = nullptr;
  session.onConnection = nullptr;
}

}  // namespace vestrix::cli
