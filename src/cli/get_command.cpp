#include "cli/commands.h"
#include "cli/configuration_backup.h"
#include "cli/exit_code.h"
#include "cli/parameter_access.h"
#include "cli/parameter_text.h"
#include "options/command_line.h"

#include <QDateTime>
#include <QJsonDocument>

#include <algorithm>

namespace vestrix::cli {

int GetCommand(CommandContext& context) {
  const std::string name = context.args().operands.at(0);
  const bool json = context.args().has("--json");
  const bool all = QString::fromStdString(name).compare(QLatin1String("all"), Qt::CaseInsensitive) == 0;
  const std::vector<const protocol::Parameter*> parameters =
      all ? AllParameters() : std::vector<const protocol::Parameter*>{&NamedParameter(name)};
  InstrumentSession& session = context.connect();
  const std::vector<protocol::ParameterValue> values = ReadParameters(session, parameters);
  if (json && all) {
    const BackupOrigin origin{"vestrix-cli " + options::kVersion,
                              QDateTime::currentDateTime().toString(Qt::ISODate).toStdString(), context.deviceNode()};
    context.write(BackupDocument(values, origin));
  } else if (json) {
    context.print(QJsonDocument(ParameterJson(values.front())).toJson(QJsonDocument::Compact).toStdString());
  } else if (!all) {
    context.print(ValueWords(values.front()));
  } else {
    for (const protocol::ParameterValue& value : values) {
      std::string line = value.parameter->name;
      line.resize(std::max<std::size_t>(line.size() + 1, 16), ' ');
      context.print(line + ValueWords(value));
    }
  }
  return kDone;
}

}  // namespace vestrix::cli
