#include "cli/command_context.h"

#include "cli/exit_code.h"
#include "device/access_help.h"
#include "numbers/number_input.h"
#include "settings/config_location.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>

namespace vestrix::cli {

namespace {

// The demo window keeps its settings apart from the real program's.
QString SettingsName(bool demo) { return demo ? QStringLiteral("demo.ini") : QStringLiteral("config.ini"); }

}  // namespace

std::string AccessAdvice() { return device::AccessHelpFor(QCoreApplication::applicationDirPath()).advice; }

std::string InUseText(const device::Refusal& refusal) {
  return "the instrument at " + refusal.node + " is in use by " +
         (refusal.holder.empty() ? std::string("another program") : refusal.holder);
}

CommandContext::CommandContext(const Invocation& invocation, ConsoleEnvironment& environment, StandardOutput& output)
    : args_(invocation), env_(environment), output_(output) {
  if (const std::optional<std::string> node = args_.value("--device")) {
    // A link to the node (a udev symlink) names the same device.
    const QString canonical = QFileInfo(QString::fromStdString(*node)).canonicalFilePath();
    wanted_ = canonical.isEmpty() ? *node : canonical.toStdString();
    if (wanted_.empty()) throw CommandEnd{kUsage, "--device needs a device node"};
  }
}

CommandContext::~CommandContext() {
  // The session's readers stop before the services they read from go away.
  session_.reset();
  platform_.reset();
}

InstrumentSession& CommandContext::look() {
  if (session_) return *session_;
  if (args_.has("--demo")) {
    const std::string signal = args_.value("--signal").value_or("wave");
    if (signal != "wave" && signal != "tests")
      throw CommandEnd{kUsage, "--signal is 'wave' or 'tests', not '" + signal + "'"};
    platform_ = env_.demoPlatform(signal == "tests" ? sim::Signal::Tests : sim::Signal::Wave);
  } else {
    if (args_.has("--signal")) throw CommandEnd{kUsage, "--signal goes with --demo"};
    platform_ = env_.systemPlatform();
  }
  session_ = std::make_unique<InstrumentSession>(*platform_, wanted_);
  link_ = session_->discover();
  return *session_;
}

InstrumentSession& CommandContext::connect() {
  InstrumentSession& session = look();
  const std::string at = wanted_.empty() ? "" : " at " + wanted_;
  switch (link_) {
    case InstrumentSession::Link::Connected:
      if (!heard_ && !session.awaitReader()) {
        throw CommandEnd{kNoReply, "no reply from the instrument within one second"};
      }
      heard_ = true;
      return session;
    case InstrumentSession::Link::NoInstrument:
      throw CommandEnd{kNoInstrument, "no VESTRIX instrument" + at + " (see 'vestrix-cli list')"};
    case InstrumentSession::Link::NoAccess: break;
  }
  const std::string node = deviceNode();
  if (session.refusal() && session.refusal()->kind == device::Refusal::Kind::InUse) {
    throw CommandEnd{kNoAccess, InUseText(*session.refusal())};
  }
  throw CommandEnd{kNoAccess,
                   "no read/write access to " + (node.empty() ? "the instrument" : node) + ": " + AccessAdvice()};
}

std::string CommandContext::deviceNode() {
  hid::HidDevice* device = look().instrument();
  return device != nullptr ? device->pnpInfo().devicePath : std::string();
}

void CommandContext::note(const std::string& line) {
  std::fputs(("vestrix-cli: " + line + "\n").c_str(), env_.err);
  std::fflush(env_.err);
}

std::optional<long long> CommandContext::count(const std::string& option) const {
  const std::optional<std::string> text = args_.value(option);
  if (!text) return std::nullopt;
  bool ok = false;
  const long long n = QString::fromStdString(*text).toLongLong(&ok, 10);
  if (!ok || n < 1) throw CommandEnd{kUsage, option + " takes a whole number from 1, not '" + *text + "'"};
  return n;
}

std::optional<double> CommandContext::seconds(const std::string& option) const {
  const std::optional<std::string> text = args_.value(option);
  if (!text) return std::nullopt;
  const std::optional<double> n = numbers::ParseNumber(QString::fromStdString(*text), QLatin1Char('.'));
  if (!n || !std::isfinite(*n) || *n <= 0 || *n > 1e9) {
    throw CommandEnd{kUsage, option + " takes a time in seconds above 0, not '" + *text + "'"};
  }
  return n;
}

QString CommandContext::settingsFile() const {
  if (!env_.settingsFile.isEmpty()) return env_.settingsFile;
  return settings::ConfigFilePath(QCoreApplication::applicationDirPath(), SettingsName(args_.has("--demo")));
}

}  // namespace vestrix::cli
