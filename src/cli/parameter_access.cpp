#include "cli/parameter_access.h"

#include "cli/command_context.h"
#include "cli/exit_code.h"

namespace vestrix::cli {

const protocol::Parameter& NamedParameter(const std::string& name) {
  if (const protocol::Parameter* parameter = protocol::FindParameterByName(name)) return *parameter;
  std::string names;
  for (const protocol::Parameter& parameter : protocol::Parameters()) {
    names += (names.empty() ? "" : ", ") + std::string(parameter.name);
  }
  throw CommandEnd{kUsage, "unknown parameter '" + name + "' (the parameters: " + names + ")"};
}

std::vector<protocol::ParameterValue> ReadParameters(InstrumentSession& session,
                                                     const std::vector<const protocol::Parameter*>& parameters) {
  std::vector<protocol::ParameterValue> values;
  for (const protocol::Parameter* parameter : parameters) {
    const std::optional<protocol::ParameterValue> value = session.read(*parameter);
    if (!value) {
      throw CommandEnd{kNoReply,
                       std::string("no reply from the instrument within one second (reading ") + parameter->name + ")"};
    }
    values.push_back(*value);
  }
  return values;
}

std::vector<const protocol::Parameter*> AllParameters() {
  std::vector<const protocol::Parameter*> parameters;
  for (const protocol::Parameter& parameter : protocol::Parameters()) parameters.push_back(&parameter);
  return parameters;
}

}  // namespace vestrix::cli
