// The results' ISO 8601 times carry the zone's offset at that moment: the
// same instant in any zone, across a change of daylight saving too.
#include "capture/results_file.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <ctime>

namespace vestrix::capture {
namespace {

TEST(ResultsTimes, IsoWithTheOffsetOfTheMoment) {
  const struct {
    const char* zone;
    std::int64_t wallMs;
    const char* iso;
  } cases[] = {
      {"UTC0", 1796889600015, "2026-12-10T08:00:00.015Z"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1796889600015, "2026-12-10T09:00:00.015+01:00"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1781078400000, "2026-06-10T10:00:00.000+02:00"},
      {"JST-9", 1796889600015, "2026-12-10T17:00:00.015+09:00"},
      {"<-0330>3:30", 1796889600015, "2026-12-10T04:30:00.015-03:30"},
  };
  for (const auto& c : cases) {
    qputenv("TZ", c.zone);
    tzset();
    EXPECT_EQ(IsoText(c.wallMs), QByteArray(c.iso)) << c.zone;
  }
  qunsetenv("TZ");
  tzset();
}

TEST(ResultsTimes, TheRulesBlockSaysTheDirectionLevelsLimitsAndUnit) {
  CaptureSettings rules;
  rules.direction = Direction::Compression;
  rules.startLevel = -10;
  rules.endLevel = -5;
  rules.lowerLimit = -800;
  EXPECT_EQ(RulesText(rules, QLatin1Char(','), "kN"),
            "Direction;Start level [kN];End level [kN];Break [%];Longest [s];Before [s];After [s];Lower limit [kN];"
            "Upper limit [kN];Unit;\r\n"
            "compression;-10,0000;-5,0000;0,00;0,000;0,500;0,500;-800,0000;;kN;\r\n");
}

}  // namespace
}  // namespace vestrix::capture
