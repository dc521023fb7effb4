#include "cli/number_text.h"

#include <charconv>
#include <cmath>

namespace vestrix::cli {

std::string ShortestText(float value) {
  if (!std::isfinite(value)) return {};
  char buffer[32];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace vestrix::cli
