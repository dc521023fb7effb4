#pragma once

#include "protocol/message_codes.h"

#include <array>
#include <cstdint>

namespace vestrix::protocol {

// One message for the instrument: its code and payload, as many bytes as
// the message has.
struct Command {
  std::array<std::uint8_t, kWordWriteLength> bytes{};
  std::uint32_t length = 0;

  bool operator==(const Command&) const = default;
};

// The road to the instrument as the pages and the command line see it.
class CommandPort {
 public:
  virtual ~CommandPort() = default;
  // A request or an action: one code, sent only while connected.
  virtual void sendRequest(std::uint8_t code) = 0;
  // A write command: handed on whether connected or not; it reaches the
  // instrument only when one is there to take it.
  virtual void sendCommand(const Command& command) = 0;
};

}  // namespace vestrix::protocol
