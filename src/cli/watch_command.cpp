#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/measurement_run.h"
#include "cli/record_columns.h"
#include "cli/watch_format.h"

#include <algorithm>

namespace vestrix::cli {

namespace {

// A record line as a terminal line: without its CR.
std::string Line(QByteArray recordLine) {
  recordLine.chop(2);
  return recordLine.toStdString();
}

}  // namespace

int WatchCommand(CommandContext& context) {
  const std::string formatName = context.args().value("--format").value_or("text");
  const std::optional<WatchFormat> format = ParseWatchFormat(formatName);
  if (!format) throw CommandEnd{kUsage, "--format is text, json, csv or influx, not '" + formatName + "'"};
  std::optional<long long> count = context.count("--count");
  if (context.args().has("--once")) {
    if (count) throw CommandEnd{kUsage, "--once and --count go not together"};
    count = 1;
  }
  ConsoleEnvironment& env = context.env();
  const record::ColumnChoice columns = DefaultColumns();

  InstrumentSession& session = context.connect();
  session.readUnit();  // unknown when the instrument does not say it
  const std::string device = context.deviceNode();
  MeasurementRun run(context);
  // The session keeps the unit across reconnections.
  const auto unit = [&] { return measure::UnitSymbol(session.unit()); };
  long long printed = 0;
  std::int64_t lastNs = 0;
  if (*format == WatchFormat::Csv && !context.print(Line(record::RecordHeader(columns)))) return kDone;
  run.run(
      [&](const protocol::MeasurementSample& sample) {
        if (context.output().failed()) return;
        std::string line;
        switch (*format) {
          case WatchFormat::Text: line = TextLine(sample, env.decimalSeparator, unit()); break;
          case WatchFormat::Json: line = JsonLine(sample, env.localClock(), env.unixMs(), unit()); break;
          case WatchFormat::Csv:
            line = Line(record::RecordFields(sample, columns, env.localClock(), static_cast<int>(printed),
                                             env.decimalSeparator));
            break;
          case WatchFormat::Influx:
            // A database keeps one point per series and time: two measurements
            // in one millisecond get times a nanosecond apart.
            lastNs = std::max(env.unixMs() * 1000000, lastNs + 1);
            line = InfluxLine(sample, device, lastNs, unit());
            break;
        }
        // Output that failed ends the watch: quietly when the reader went
        // away (watch | head), with an error otherwise.
        context.print(line);
        ++printed;
      },
      [&] { return context.output().failed() || (count && printed >= *count); }, std::nullopt);
  return kDone;
}

}  // namespace vestrix::cli
