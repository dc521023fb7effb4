#pragma once

#include "cli/instrument_session.h"
#include "protocol/parameter_table.h"

#include <string>
#include <vector>

namespace vestrix::cli {

// The parameter of a name (letter case aside), or CommandEnd 2 naming the
// parameters there are.
const protocol::Parameter& NamedParameter(const std::string& name);

// The values of the parameters as the instrument holds them, in order, or
// CommandEnd 5 when one does not come within a second.
std::vector<protocol::ParameterValue> ReadParameters(InstrumentSession& session,
                                                     const std::vector<const protocol::Parameter*>& parameters);
// Every parameter of the table.
std::vector<const protocol::Parameter*> AllParameters();

}  // namespace vestrix::cli
