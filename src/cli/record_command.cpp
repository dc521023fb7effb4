#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/measurement_run.h"
#include "cli/record_columns.h"
#include "record/recorder.h"

#include <QFileInfo>
#include <QTimer>

#include <cinttypes>
#include <cstdio>

namespace vestrix::cli {

namespace {

// "12.3 MB": the file's size for the progress line.
std::string SizeText(std::int64_t bytes) {
  char text[32];
  if (bytes < 1024 * 1024) {
    std::snprintf(text, sizeof text, "%.1f kB", static_cast<double>(bytes) / 1024.0);
  } else {
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  }
  return text;
}

std::string ElapsedText(std::int64_t ms) {
  const std::int64_t s = ms / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%" PRId64 ":%02" PRId64 ":%02" PRId64, s / 3600, s / 60 % 60, s % 60);
  return text;
}

}  // namespace

int RecordCommand(CommandContext& context) {
  ConsoleEnvironment& env = context.env();
  const std::string target = context.args().operands.at(0);
  const bool toOutput = target == "-";
  record::RecordSetup setup;
  setup.periodPosition = 0;
  setup.decimalSeparator = env.decimalSeparator;
  setup.columns = DefaultColumns();
  if (const std::optional<std::string> list = context.args().value("--columns")) {
    const std::optional<record::ColumnChoice> columns = ParseColumns(*list);
    if (!columns) {
      throw CommandEnd{kUsage,
                       "--columns takes names of date,time,no,tens,enc,adc,out1,out2, each once, not '" + *list + "'"};
    }
    setup.columns = *columns;
  }
  if (const std::optional<long long> every = context.count("--every")) {
    if (*every > 1000000) throw CommandEnd{kUsage, "--every takes at most 1000000"};
    setup.every = static_cast<std::uint32_t>(*every);
  }
  const std::optional<long long> count = context.count("--count");
  const std::optional<double> seconds = context.seconds("--duration");
  if (!toOutput) setup.path = QFileInfo(QString::fromStdString(target)).absoluteFilePath();
  const std::string shown = toOutput ? std::string("standard output") : setup.path.toStdString();

  context.connect();
  record::RecordingState state(env.localClock, env.monotonicMs);
  if (toOutput) state.recordTo(env.outDescriptor);
  state.runChanged(true);

  const auto failureText = [&state] {
    return state.failureKind() == record::RecordFile::Failure::NotRegularFile ? std::string("not a regular file")
                                                                              : state.failure().toStdString();
  };
  MeasurementRun run(context);
  long long records = 0;
  long long stored = 0;
  bool firstFailed = false;
  const auto progress = [&](const char* end) {
    // Built in place: GCC 12 at -O3 takes "literal" + string for an overlapping copy.
    std::string line = std::to_string(records);
    line.insert(0, 1, '\r');
    line += " records, " + ElapsedText(run.elapsedMs()) + ", " + SizeText(state.file().size()) + "   " + end;
    std::fputs(line.c_str(), env.err);
    std::fflush(env.err);
  };
  QTimer progressTimer;
  if (env.errIsTerminal) {
    QObject::connect(&progressTimer, &QTimer::timeout, [&] { progress(""); });
    progressTimer.start(500);
  }
  InstrumentSession& session = context.look();
  run.run(
      [&](const protocol::MeasurementSample& sample) {
        const record::RecordingState::Step step = state.RecordingStep(sample, setup);
        if (!step.recorded) return;
        ++records;
        if (state.storing()) ++stored;
        if (step.recreatedNow) context.note(shown + " was deleted or moved away: recording goes on in a new file");
        if (step.failedNow) {
          if (toOutput) {
            // Standard output does not come back: the recording ends, and
            // the program's end says why (nothing when the reader went away).
            context.output().fail(state.failureNumber());
            session.interrupt();
            return;
          }
          // A file that takes no record at all is a mistake of the command.
          if (stored == 0) {
            firstFailed = true;
            session.interrupt();
            return;
          }
          context.note("cannot write " + shown + ": " + failureText() + "; trying again");
        }
        if (step.resumedNow) context.note("recording to " + shown + " again");
      },
      [&] { return count && records >= *count; }, seconds);
  progressTimer.stop();
  const std::string failure = failureText();
  state.runChanged(false);
  if (env.errIsTerminal) progress("\n");
  if (firstFailed) throw CommandEnd{kUsage, "cannot write " + shown + ": " + failure};
  // Records that never reached the file make the recording a failure, also
  // when the file took the later ones again.
  if (!toOutput && stored < records) {
    throw CommandEnd{kOutputFailed, std::to_string(records - stored) + " of " + std::to_string(records) +
                                        " records could not be written to " + shown};
  }
  return kDone;
}

}  // namespace vestrix::cli
