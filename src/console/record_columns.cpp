#include "console/record_columns.h"

#include "settings/settings_keys.h"

#include <sstream>

namespace vestrix::console {

static_assert(static_cast<int>(settings::Key::SaveOut2) - static_cast<int>(settings::Key::SaveDate) ==
                  record::kColumnCount - 1,
              "the column keys follow each other in file order");

record::ColumnChoice DefaultColumns() {
  record::ColumnChoice columns{};
  for (int i = 0; i < record::kColumnCount; ++i) {
    const auto key = static_cast<settings::Key>(static_cast<int>(settings::Key::SaveDate) + i);
    columns[static_cast<std::size_t>(i)] = std::get<bool>(settings::Spec(key).defaultValue);
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

}  // namespace vestrix::console
