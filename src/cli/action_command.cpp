#include "cli/commands.h"
#include "cli/exit_code.h"
#include "protocol/message_codes.h"

namespace vestrix::cli {

int ActionCommand(CommandContext& context) {
  const std::string& name = context.args().command->name;
  const std::uint8_t code = name == "tare"        ? protocol::kTaring
                            : name == "calibrate" ? protocol::kInputCalibration
                                                  : protocol::kResetMinMax;
  InstrumentSession& session = context.connect();
  if (!session.act(code)) {
    throw CommandEnd{kNoReply, "no reply from the instrument within one second (" + name + ")"};
  }
  context.print(name == "tare" ? "tared" : name == "calibrate" ? "calibrated" : "minimum and maximum reset");
  return kDone;
}

}  // namespace vestrix::cli
