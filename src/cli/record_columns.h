#pragma once

#include "record/record_line.h"

#include <optional>
#include <string>

namespace vestrix::cli {

// The columns by their names on the command line, in file order.
inline constexpr const char* kColumnNames[record::kColumnCount] = {"date", "time", "no",   "tens",
                                                                   "enc",  "adc",  "out1", "out2"};

// The columns the window ticks until the user changes them.
record::ColumnChoice DefaultColumns();
// "date,time,enc": the columns named (any order, each once, at least one),
// or nothing when a name is not a column's.
std::optional<record::ColumnChoice> ParseColumns(const std::string& list);

}  // namespace vestrix::cli
