#include "capture/capture_rules.h"
#include "capture/results_file.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/measurement_run.h"
#include "measure/force_unit.h"
#include "settings/ini_file.h"
#include "settings/settings_keys.h"

namespace vestrix::cli {

namespace {

// The rules' options, in the order of the rule fields.
constexpr const char* kRuleOptions[capture::kRuleFields] = {"--start",  "--end",   "--break", "--longest",
                                                            "--before", "--after", "--lower", "--upper"};

// The Charts page's rules as its settings file keeps them (numbers with a
// point), each overridden by its option.
capture::CaptureSettings Rules(const CommandContext& context) {
  std::array<QString, capture::kRuleFields> texts;
  const settings::IniFile file(context.settingsFile());
  capture::CaptureSettings directed;
  const std::string direction =
      context.args()
          .value("--direction")
          .value_or(std::get<int>(settings::Read(file, settings::Spec(settings::Key::CaptureDirection))) == 1
                        ? "compression"
                        : "tension");
  if (direction != "tension" && direction != "compression") {
    throw CommandEnd{kUsage, "--direction is 'tension' or 'compression', not '" + direction + "'"};
  }
  directed.direction = direction == "compression" ? capture::Direction::Compression : capture::Direction::Tension;
  for (int i = 0; i < capture::kRuleFields; ++i) {
    const auto key = static_cast<settings::Key>(static_cast<int>(settings::Key::CaptureStart) + i);
    texts[static_cast<std::size_t>(i)] = std::get<QString>(settings::Read(file, settings::Spec(key)));
  }
  const capture::RulesReading stored = capture::ReadCaptureRules(texts, directed, QLatin1Char('.'));
  for (int i = 0; i < capture::kRuleFields; ++i) {
    if (const std::optional<std::string> given = context.args().value(kRuleOptions[i])) {
      texts[static_cast<std::size_t>(i)] = QString::fromStdString(*given);
    } else if (stored.invalid[static_cast<std::size_t>(i)]) {
      throw CommandEnd{kUsage, std::string("the settings file ") + context.settingsFile().toStdString() +
                                   " holds an invalid rule for " + kRuleOptions[i] + ": give it as an option"};
    }
  }
  const capture::RulesReading reading = capture::ReadCaptureRules(texts, directed, QLatin1Char('.'));
  for (int i = 0; i < capture::kRuleFields; ++i) {
    if (reading.invalid[static_cast<std::size_t>(i)]) {
      throw CommandEnd{
          kUsage,
          std::string(kRuleOptions[i]) + " '" + texts[static_cast<std::size_t>(i)].toStdString() +
              "' is not a valid rule (numbers with a point; the end level not above the "
              "start level (compression: not below it), the break 0 to 100, the longest time 0 to 86400, the times "
              "before and after 0 to 3600, the lower limit not above the upper)"};
    }
  }
  return reading.rules;
}

// A results line as a terminal line: without its CR.
std::string Line(QByteArray resultsLine) {
  resultsLine.chop(2);
  return resultsLine.toStdString();
}

}  // namespace

int TestsCommand(CommandContext& context) {
  static_assert(static_cast<int>(settings::Key::CaptureUpper) - static_cast<int>(settings::Key::CaptureStart) ==
                    capture::kRuleFields - 1,
                "the rule keys follow each other in the order of the rule fields");
  const capture::CaptureSettings rules = Rules(context);
  const std::optional<long long> count = context.count("--count");
  const std::optional<double> seconds = context.seconds("--duration");
  ConsoleEnvironment& env = context.env();
  // The tests' times on the PC's clock, as the Charts page has them.
  const capture::ClockBase clock{env.unixMs() - env.monotonicMs(), false};
  capture::ForceTestCapture capture(rules);

  // The unit of the values, as the instrument says it (none when it does not).
  const QString unit = measure::UnitSymbol(context.connect().readUnit());
  context.print(Line(capture::ResultsHeader(unit)));
  MeasurementRun run(context);
  run.run(
      [&](const protocol::MeasurementSample& sample) {
        if (capture.feed(env.monotonicMs(), sample.tensValue)) {
          context.print(Line(capture::TestLine(capture.tests().back(), clock, env.decimalSeparator)));
        }
      },
      [&] { return context.output().failed() || (count && static_cast<long long>(capture.tests().size()) >= *count); },
      seconds);
  // A test under way when the run ends is judged as it stands.
  if (capture.interrupt()) context.print(Line(capture::TestLine(capture.tests().back(), clock, env.decimalSeparator)));
  const QByteArray batch = capture::BatchText(capture.batch(), env.decimalSeparator, unit);
  const qsizetype split = batch.indexOf('\n') + 1;
  context.print(Line(batch.left(split)));
  context.print(Line(batch.mid(split)));
  return capture.batch().failed > 0 ? kCheckFailed : kDone;
}

}  // namespace vestrix::cli
