// A configuration backup read from any bytes (what "set --from" is given).
// Asserts beyond "does not crash":
//  - a backup that is accepted holds every parameter once, in the table's
//    order, each value within its parameter's range (a list's within its list);
//  - written again and read again, it gives the same values (nothing is
//    lost or changed on the way through a backup).
#include "cli/configuration_backup.h"
#include "cli/parameter_text.h"
#include "protocol/parameter_table.h"

#include <cstdlib>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vestrix;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const auto read = cli::ReadBackup(bytes);
  const auto* values = std::get_if<std::vector<protocol::ParameterValue>>(&read);
  if (values == nullptr) return 0;
  const auto parameters = protocol::Parameters();
  if (values->size() != parameters.size()) std::abort();
  for (std::size_t i = 0; i < values->size(); ++i) {
    const protocol::ParameterValue& v = (*values)[i];
    const protocol::Parameter& p = parameters[i];
    if (v.parameter != &p) std::abort();
    if (p.isList() && !cli::EntryText(p, v.byte)) std::abort();
    if (p.kind == protocol::ValueKind::Float32 && !(v.number >= p.lower && v.number <= p.upper)) std::abort();
    if (p.kind == protocol::ValueKind::UInt32 && !(v.integer >= p.lower && v.integer <= p.upper)) std::abort();
  }
  const auto again = cli::ReadBackup(cli::BackupDocument(*values, {"fuzz", "", ""}));
  const auto* same = std::get_if<std::vector<protocol::ParameterValue>>(&again);
  if (same == nullptr || same->size() != values->size()) std::abort();
  for (std::size_t i = 0; i < values->size(); ++i) {
    if (!cli::SameValue((*same)[i], (*values)[i])) std::abort();
  }
  return 0;
}
