#include "cli/commands.h"
#include "cli/configuration_backup.h"
#include "cli/exit_code.h"
#include "cli/parameter_access.h"
#include "cli/parameter_text.h"

#include <QFile>

#include <variant>

namespace vestrix::cli {

namespace {

// Far more than a backup of 27 values takes.
constexpr qint64 kMaxBackupSize = 1024 * 1024;

// The value a backup holds, as a write: through the same parsing as a typed
// value (its words are exact, so nothing is clamped).
protocol::Command BackupWrite(const protocol::ParameterValue& value) {
  return std::get<ValueWrite>(ParseValueWrite(*value.parameter, ValueWords(value))).command;
}

std::string Values(std::size_t n) { return std::to_string(n) + (n == 1 ? " value" : " values"); }

std::vector<protocol::ParameterValue> ReadBackupFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  // Unbuffered, size checked first: a FIFO or a device is not read forever.
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    throw CommandEnd{kUsage, "cannot read " + path + ": " + file.errorString().toStdString() + "; nothing was sent"};
  }
  if (file.isSequential()) throw CommandEnd{kUsage, path + " is not a regular file; nothing was sent"};
  if (file.size() > kMaxBackupSize) throw CommandEnd{kUsage, path + " is too large for a backup; nothing was sent"};
  const QByteArray document = file.readAll();
  std::variant<std::vector<protocol::ParameterValue>, std::string> backup = ReadBackup(document);
  if (const std::string* wrong = std::get_if<std::string>(&backup)) {
    throw CommandEnd{kUsage, path + ": " + *wrong + "; nothing was sent"};
  }
  return std::get<std::vector<protocol::ParameterValue>>(std::move(backup));
}

int Restore(CommandContext& context, const std::string& path) {
  const std::vector<protocol::ParameterValue> wanted = ReadBackupFile(path);
  const bool dryRun = context.args().has("--dry-run");
  InstrumentSession& session = context.connect();
  const std::vector<protocol::ParameterValue> held = ReadParameters(session, AllParameters());
  std::vector<std::size_t> differing;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    if (!SameValue(wanted[i], held[i])) differing.push_back(i);
  }
  for (const std::size_t i : differing) {
    context.print(std::string(wanted[i].parameter->name) + ": " + ValueWords(held[i]) + " -> " + ValueWords(wanted[i]) +
                  (dryRun ? " (not sent: a dry run)" : ""));
  }
  if (dryRun || differing.empty()) {
    context.print(differing.empty() ? "the instrument holds the backup's values: nothing to change"
                                    : Values(differing.size()) + " would change");
    return kDone;
  }
  for (const std::size_t i : differing) session.write(BackupWrite(wanted[i]));
  std::vector<const protocol::Parameter*> written;
  for (const std::size_t i : differing) written.push_back(wanted[i].parameter);
  const std::vector<protocol::ParameterValue> back = ReadParameters(session, written);
  int code = kDone;
  for (std::size_t k = 0; k < differing.size(); ++k) {
    if (!SameValue(back[k], wanted[differing[k]])) {
      context.note(std::string(back[k].parameter->name) + " reads back " + ValueWords(back[k]) + ", not " +
                   ValueWords(wanted[differing[k]]));
      code = kCheckFailed;
    }
  }
  context.print(Values(differing.size()) + " changed" +
                (code == kDone ? ", each read back" : ", not all read back as sent"));
  return code;
}

}  // namespace

int SetCommand(CommandContext& context) {
  const std::vector<std::string>& operands = context.args().operands;
  if (const std::optional<std::string> from = context.args().value("--from")) {
    if (!operands.empty()) throw CommandEnd{kUsage, "set --from FILE takes no PARAM VALUE"};
    return Restore(context, *from);
  }
  if (context.args().has("--dry-run")) throw CommandEnd{kUsage, "--dry-run goes with --from"};
  if (operands.size() != 2) throw CommandEnd{kUsage, "set takes PARAM VALUE, or --from FILE"};
  const protocol::Parameter& parameter = NamedParameter(operands[0]);
  std::variant<ValueWrite, std::string> parsed = ParseValueWrite(parameter, operands[1]);
  if (const std::string* wrong = std::get_if<std::string>(&parsed))
    throw CommandEnd{kUsage, *wrong + "; nothing was sent"};
  const ValueWrite& write = std::get<ValueWrite>(parsed);

  InstrumentSession& session = context.connect();
  session.write(write.command);
  context.print("sent " + std::string(parameter.name) + " " + write.sent +
                (write.clampedFrom ? " (clamped from " + *write.clampedFrom + ")" : ""));
  const protocol::ParameterValue back = ReadParameters(session, {&parameter}).front();
  context.print("reads back " + ValueWords(back));
  if (!SameValue(back, SentValue(parameter, write.command))) {
    throw CommandEnd{kCheckFailed,
                     std::string(parameter.name) + " reads back " + ValueWords(back) + ", not " + write.sent};
  }
  return kDone;
}

}  // namespace vestrix::cli
