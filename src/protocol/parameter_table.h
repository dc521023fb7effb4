#pragma once

#include <cstdint>
#include <span>

namespace vestrix::protocol {

// How a parameter's value travels.
enum class ValueKind {
  Float32,        // 4 bytes, IEEE single, least significant byte first
  UInt32,         // 4 bytes, least significant byte first
  Index,          // 1 byte: position in the parameter's list of choices
  ModbusAddress,  // 1 byte: the address itself, 1..247
};

// One configuration parameter of the instrument. The table drives the
// dispatch of replies, the configuration page and the simulated instrument.
struct Parameter {
  const char* name;
  std::uint8_t readCode;
  ValueKind kind;
  const char* statusId;  // status message shown when its reply arrives
  const char* control;   // the control on the configuration page
  int choices;           // Index: number of choices; ModbusAddress: highest address
  double minimum;        // Float32/UInt32: the range the instrument accepts
  double maximum;
  double defaultValue;   // what a fresh (simulated) instrument holds

  std::uint8_t writeCode() const;
  // Message length of its write command: 2 for one byte, 5 for four.
  std::uint32_t writeLength() const;
};

std::span<const Parameter> Parameters();

// The parameter with this read code, or nullptr.
const Parameter* FindParameterByReadCode(std::uint8_t code);

}  // namespace vestrix::protocol
