#pragma once

#include <string>

namespace vestrix::cli {

// The shortest decimal text (with a point) that reads back as the same
// float: what the instrument holds, neither rounded nor padded. Nothing
// for a value that is not finite.
std::string ShortestText(float value);

}  // namespace vestrix::cli
