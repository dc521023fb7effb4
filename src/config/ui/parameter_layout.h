#pragma once

#include "protocol/parameter_table.h"

#include <span>

namespace vestrix::config {

// The group box of the configuration page a parameter's row sits in.
enum class ParameterGroup { Tensometric, Trigger, Global, Counter, Analog, Relay };

// Where a parameter stands on the configuration page, and the names its
// controls carry (the translation table and the tests find them by these).
struct ParameterPlace {
  const char* parameter;  // the parameter's name in the parameter table
  const char* control;    // its edit box or list
  const char* readButton;
  const char* writeButton;
  const char* captionLabel;  // the label of its caption
  const char* caption;       // the caption (English)
  ParameterGroup group;
  int row;  // position in its group box, from the top
};

// In the parameter table's order.
std::span<const ParameterPlace> ParameterPlaces();
// The place of a parameter of the table.
const ParameterPlace& PlaceOf(const protocol::Parameter& parameter);

}  // namespace vestrix::config
