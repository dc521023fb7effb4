// The table of measured quantities against the places that name them
// otherwise: the record file's headers, the settings keys, the Display
// page's texts.
#include "measure/quantity_table.h"

#include "measure/display_texts.h"
#include "record/record_line.h"
#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>
#include <string>

namespace vestrix::measure {
namespace {

TEST(QuantityTable, RowsAreInOrderAndNamedOnce) {
  std::set<std::string> cliNames;
  for (int i = 0; i < kQuantities; ++i) {
    const QuantityRow& row = Quantities()[static_cast<std::size_t>(i)];
    EXPECT_EQ(static_cast<int>(row.quantity), i);
    EXPECT_EQ(row.value == nullptr, row.text == TextRule::Date || row.text == TextRule::Time) << i;
    if (row.cliName != nullptr) {
      EXPECT_TRUE(cliNames.insert(row.cliName).second) << row.cliName;
    }
  }
  EXPECT_EQ(RowOf(Quantity::Tens).unit, UnitSource::TensUnit);
}

// Every record column of a quantity carries the quantity's header, and its
// settings key is one of the file's keys, in the record's section.
TEST(QuantityTable, RecordColumnsAndSettingsKeysAreTheFilesOwn) {
  const struct {
    record::Column column;
    Quantity quantity;
  } columns[] = {{record::Column::Tens, Quantity::Tens},
                 {record::Column::Counter, Quantity::Counter},
                 {record::Column::Analog, Quantity::Analog},
                 {record::Column::Out1, Quantity::Out1},
                 {record::Column::Out2, Quantity::Out2}};
  for (const auto& c : columns) {
    const QuantityRow& row = RowOf(c.quantity);
    EXPECT_STREQ(record::ColumnHeader(c.column), row.recordHeader);
    bool found = false;
    for (const settings::KeySpec& spec : settings::Keys()) {
      if (std::strcmp(spec.name, row.settingsKey) == 0) {
        found = true;
        EXPECT_STREQ(spec.section, "Options");
        EXPECT_EQ(spec.kind, settings::Kind::Bool);
      }
    }
    EXPECT_TRUE(found) << row.settingsKey;
  }
  EXPECT_STREQ(record::ColumnHeader(record::Column::Number), "No.");
}

TEST(QuantityTable, TextsFollowTheirRules) {
  protocol::MeasurementSample s;
  s.year = 2026;
  s.month = 3;
  s.day = 7;
  s.hour = 9;
  s.minute = 5;
  s.second = 0;
  s.tensValue = -12.5f;
  s.counterValue = std::numeric_limits<float>::infinity();
  s.relay1 = 7;  // anything but 0 is HIGH
  const DisplayTexts t = FormatSample(s, QLatin1Char(','));
  EXPECT_EQ(t.date, "7-3-2026");
  EXPECT_EQ(t.time, "9:5:0");
  EXPECT_EQ(t.tens, "-12,5000");
  EXPECT_EQ(t.counter, "INF");
  EXPECT_EQ(t.relay1, "HIGH");
  EXPECT_EQ(t.relay2, "LOW");
  for (int i = 0; i < kQuantities; ++i) {
    const auto q = static_cast<Quantity>(i);
    EXPECT_FALSE(QuantityText(q, s, QLatin1Char('.')).isEmpty()) << i;
  }
}

}  // namespace
}  // namespace vestrix::measure
