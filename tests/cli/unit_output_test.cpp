// The unit of the strain-gauge value in what watch prints (after the value
// in text, a "unit" key in JSON, a tag in the line protocol) and in the
// results of tests; none (null in JSON) for an instrument that never says
// it, which is used all the same.
#include "cli/console_fixture.h"
#include "protocol/message_codes.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace vestrix::cli {
namespace {

struct UnitCase {
  std::uint8_t position;  // of TensUnit's list
  const char* symbol;
};

class WatchUnit : public ConsoleFixture, public ::testing::WithParamInterface<UnitCase> {
 protected:
  void storeUnit(std::uint8_t position) {
    model([&](sim::InstrumentModel& m) {
      const std::uint8_t write[] = {protocol::kTensUnitRead | protocol::kWriteFlag, position};
      m.handle(write, sizeof write);
    });
  }
};

TEST_P(WatchUnit, FollowsTheValueInEveryFormat) {
  const std::string symbol = GetParam().symbol;
  storeUnit(GetParam().position);
  makeScripted();
  ConsoleRun r = run({"watch", "--once"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("tens 12.5000 " + symbol + "  enc"), std::string::npos) << r.out;
  makeScripted();
  r = run({"watch", "--once", "--format", "json"});
  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
  EXPECT_EQ(json.value("unit").toString().toStdString(), symbol) << r.out;
  EXPECT_EQ(json.value("tens").toDouble(), 12.5);
  makeScripted();
  r = run({"watch", "--once", "--format", "influx"});
  EXPECT_NE(r.out.find(",unit=" + symbol + " tens=12.5,"), std::string::npos) << r.out;
  r = run({"tests", "--duration", "0.2"});
  EXPECT_EQ(r.out.rfind("No.;Date;Time;Start (ISO 8601);Duration [s];Peak [" + symbol + "];", 0), 0u) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Units, WatchUnit,
                         ::testing::Values(UnitCase{0, "g"}, UnitCase{1, "kg"}, UnitCase{2, "N"}, UnitCase{3, "kN"},
                                           UnitCase{4, "lbf"}),
                         [](const ::testing::TestParamInfo<UnitCase>& info) { return std::string(info.param.symbol); });

TEST_F(WatchUnit, AnInstrumentThatNeverSaysItIsWatchedWithoutOne) {
  model([](sim::InstrumentModel& m) { m.setUnanswered(protocol::kTensUnitRead); });
  makeScripted();
  ConsoleRun r = run({"watch", "--count", "2", "--format", "json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  for (const std::string& line : lines) {
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    EXPECT_TRUE(json.contains("unit") && json.value("unit").isNull()) << line;
  }
  makeScripted();
  r = run({"watch", "--once", "--format", "influx"});
  EXPECT_EQ(r.out.rfind("vestrix,device=", 0), 0u) << r.out;
  EXPECT_EQ(r.out.find("unit="), std::string::npos) << r.out;
  // The results' headings without a unit, rather than a guess.
  r = run({"tests", "--duration", "0.2"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("No.;Date;Time;Start (ISO 8601);Duration [s];Peak;Peak at [s];Lowest;", 0), 0u) << r.out;
}

}  // namespace
}  // namespace vestrix::cli
