#include "protocol/codecs.h"

#include <bit>

namespace vestrix::protocol {

std::uint32_t MessageView::uint32(std::size_t offset) const {
  return static_cast<std::uint32_t>(byte(offset)) | static_cast<std::uint32_t>(byte(offset + 1)) << 8 |
         static_cast<std::uint32_t>(byte(offset + 2)) << 16 | static_cast<std::uint32_t>(byte(offset + 3)) << 24;
}

float MessageView::float32(std::size_t offset) const { return std::bit_cast<float>(uint32(offset)); }

std::uint16_t MessageView::uint16BigEndian(std::size_t offset) const {
  return static_cast<std::uint16_t>(byte(offset) * 256 + byte(offset + 1));
}

void PutUInt32(std::uint8_t* target, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) target[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutFloat32(std::uint8_t* target, float value) { PutUInt32(target, std::bit_cast<std::uint32_t>(value)); }

}  // namespace vestrix::protocol
