#pragma once

#include <cstddef>
#include <cstdint>

namespace vestrix::protocol {

// A received message: its bytes as far as the report carried them, read as
// if padded with zeros beyond that, so a short report is never read past.
class MessageView {
 public:
  MessageView(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

  std::uint8_t byte(std::size_t offset) const { return offset < size_ ? data_[offset] : 0; }
  std::uint8_t code() const { return byte(0); }
  float float32(std::size_t offset) const;         // least significant byte first
  std::uint32_t uint32(std::size_t offset) const;  // least significant byte first
  std::uint16_t uint16BigEndian(std::size_t offset) const;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

void PutFloat32(std::uint8_t* target, float value);
void PutUInt32(std::uint8_t* target, std::uint32_t value);

}  // namespace vestrix::protocol
