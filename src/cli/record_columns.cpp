#include "cli/record_columns.h"

#include "settings/settings_keys.h"

#include <cstring>
#include <sstream>

namespace vestrix::cli {

// The columns the window ticks until the user changes them: the defaults
// of their settings keys.
record::ColumnChoice DefaultColumns() {
  record::ColumnChoice columns{};
  for (int i = 0; i < record::kColumnCount; ++i) {
    const char* key = record::ColumnSettingsKey(static_cast<record::Column>(i));
    for (const settings::KeySpec& spec : settings::Keys()) {
      if (std::strcmp(spec.name, key) == 0) columns[static_cast<std::size_t>(i)] = std::get<bool>(spec.defaultValue);
    }
  }
  return columns;
}

std::optional<record::ColumnChoice> ParseColumns(const std::string& list) {
  record::ColumnChoice columns{};
  std::istringstream names(list);
  std::string name;
  bool any = false;
  while (std::getline(names, name, ',')) {
    int found = -1;
    for (int i = 0; i < record::kColumnCount; ++i) {
      if (name == kColumnNames[i]) found = i;
    }
    if (found < 0 || columns[static_cast<std::size_t>(found)]) return std::nullopt;
    columns[static_cast<std::size_t>(found)] = true;
    any = true;
  }
  if (!any || (!list.empty() && list.back() == ',')) return std::nullopt;
  return columns;
}

}  // namespace vestrix::cli
