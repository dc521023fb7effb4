// The pages say which of their controls holds which settings key: every key
// of the file is held by exactly one control of one page, or is one of the
// window's own values, and no page names a key the file does not have.
#include "app/main_window.h"
#include "settings/settings_keys.h"

#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace vestrix::app {
namespace {

class SettingsRows : public testing::WindowFixture {};

TEST_F(SettingsRows, EveryKeyIsHeldOnceOrIsTheWindowsOwn) {
  start();
  // The window's place, its language, and the Charts page's history size
  // and series, which no control holds as such.
  const std::set<std::string> own = {"ScreenLeft", "ScreenTop", "Language", "ChartSamples", "ChartSeries"};
  std::map<std::string, int> held;
  for (const ui::WindowPage* page : window->pages()) {
    for (const ui::SettingsRow& row : page->settingsRows()) {
      ++held[row.key];
      EXPECT_EQ((row.box != nullptr) + (row.list != nullptr) + (row.edit != nullptr), 1) << row.key;
    }
  }
  std::set<std::string> inFile;
  for (const settings::KeySpec& spec : settings::Keys()) {
    inFile.insert(spec.name);
    if (own.count(spec.name) != 0) {
      EXPECT_EQ(held.count(spec.name), 0u) << spec.name;
    } else {
      EXPECT_EQ(held[spec.name], 1) << spec.name;
    }
  }
  for (const auto& [key, count] : held) EXPECT_EQ(inFile.count(key), 1u) << key;
}

}  // namespace
}  // namespace vestrix::app
