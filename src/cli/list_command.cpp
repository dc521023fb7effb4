#include "cli/commands.h"
#include "cli/exit_code.h"

namespace vestrix::cli {

int ListCommand(CommandContext& context) {
  InstrumentSession& session = context.look();
  bool instrument = false;
  bool access = false;
  const std::optional<device::Refusal>& refusal = session.refusal();
  const bool inUse = refusal && refusal->kind == device::Refusal::Kind::InUse;
  for (const device::DeviceLine& line : session.lines()) {
    const bool candidate = session.isCandidate(line);
    const bool readWrite = line.device != nullptr && line.device->OpenedForReadWrite();
    const std::string node = line.device != nullptr ? line.device->pnpInfo().devicePath : std::string("-");
    std::string state = readWrite ? "read/write" : "no access";
    if (candidate && inUse && line.device == session.instrument()) {
      state = "in use by " + (refusal->holder.empty() ? std::string("another program") : refusal->holder);
    }
    context.print(std::string(candidate ? "* " : "  ") + node + "  " + state + "  " + line.text.toStdString());
    instrument = instrument || candidate;
    access = access || (candidate && readWrite);
  }
  if (session.lines().empty()) context.note("no HID devices");
  if (!instrument) {
    const std::string at = context.wantedNode().empty() ? "" : " at " + context.wantedNode();
    throw CommandEnd{kNoInstrument, "no VESTRIX instrument" + at};
  }
  if (inUse) throw CommandEnd{kNoAccess, InUseText(*refusal)};
  if (!access) throw CommandEnd{kNoAccess, "no read/write access to the instrument: " + AccessAdvice()};
  return kDone;
}

}  // namespace vestrix::cli
