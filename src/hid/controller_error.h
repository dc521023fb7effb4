#pragma once

#include <stdexcept>

namespace vestrix::hid {

// A HID interface that cannot be opened or identified.
class ControllerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vestrix::hid
