#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vestrix::protocol {

// How a parameter's value travels.
enum class ValueKind {
  Float32,        // 4 bytes, IEEE single, least significant byte first
  UInt32,         // 4 bytes, least significant byte first
  Index,          // 1 byte: position in the parameter's list of choices
  ModbusAddress,  // 1 byte: the address itself, 1..247
};

// The entries of a parameter's list (English): the fixed texts, then the
// numbers from numberedFrom to numberedTo (none when numberedTo <
// numberedFrom).
struct Choices {
  std::span<const char* const> fixed;
  int numberedFrom = 1;
  int numberedTo = 0;

  int count() const;
  std::string text(int position) const;  // 0 <= position < count()
};

// One configuration parameter of the instrument. The table drives the
// dispatch of replies, the configuration page, the command line and the
// simulated instrument.
struct Parameter {
  const char* name;
  std::uint8_t readCode;
  ValueKind kind;
  const char* statusId;  // status message shown when its reply arrives
  Choices choices;       // Index/ModbusAddress: the list's entries
  // Float32/UInt32: what a write is clamped to. float32 constants, compared
  // in float32: 9.9999f is in fact 9.99989986...
  float lower;
  float upper;
  double defaultValue;  // what a fresh (simulated) instrument holds

  std::uint8_t writeCode() const;
  // Message length of its write command: 2 for one byte, 5 for four.
  std::uint32_t writeLength() const;
  bool isList() const { return kind == ValueKind::Index || kind == ValueKind::ModbusAddress; }
  // What a list's write adds to the selected position: the address for
  // ModbusAdr, the position itself for every other list.
  int indexOffset() const { return kind == ValueKind::ModbusAddress ? 1 : 0; }
};

std::span<const Parameter> Parameters();

// The parameter with this read code, or nullptr.
const Parameter* FindParameterByReadCode(std::uint8_t code);
// The parameter of this name, without regard to letter case, or nullptr.
const Parameter* FindParameterByName(std::string_view name);

}  // namespace vestrix::protocol
