#include "protocol/report_dispatcher.h"

#include "config/ui/parameter_layout.h"

#include "support/qt_print.h"
#include "support/samples.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vestrix::protocol {
namespace {

// Records what a message did, as one line per effect.
class RecordingSink : public MessageSink {
 public:
  void showStatus(const QString& id) override { effects << "status " + id; }
  void showValue(const Parameter& p, const QString& text) override {
    effects << QString("%1=%2").arg(config::PlaceOf(p).control, text);
  }
  void selectChoice(const Parameter& p, int position) override {
    effects << QString("%1[%2]").arg(config::PlaceOf(p).control).arg(position);
  }
  void measurementReceived(const MeasurementSample& s) override {
    effects << QString("sample %1-%2-%3 relays %4 %5").arg(s.day).arg(s.month).arg(s.year).arg(s.relay1).arg(s.relay2);
  }
  QStringList effects;
};

struct DispatchCase {
  const char* name;
  std::vector<std::uint8_t> message;
  QStringList effects;
};

void PrintTo(const DispatchCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::uint8_t> Measurement(std::vector<std::pair<int, std::uint8_t>> bytes) {
  std::vector<std::uint8_t> m(31, 0);
  m[0] = 4;
  for (auto [offset, value] : bytes) m[offset] = value;
  return m;
}

class Dispatch : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(Dispatch, HasItsEffects) {
  RecordingSink sink;
  MeasurementSample latest;
  latest.year = 1999;
  const auto& m = GetParam().message;
  DispatchMessage(m.empty() ? nullptr : m.data(), m.size(), sink, latest, QLatin1Char('.'));
  EXPECT_EQ(sink.effects, GetParam().effects);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Dispatch,
    ::testing::Values(
        DispatchCase{
            "year_big_endian", Measurement({{1, 7}, {2, 229}, {3, 1}, {4, 9}}), {"sample 9-1-2021 relays 0 0"}},
        DispatchCase{"relay_128_is_high", Measurement({{28, 128}, {29, 0}}), {"sample 0-0-0 relays 128 0"}},
        DispatchCase{"float_reply", {31, 0, 0, 128, 63}, {"status IDS_30", "BoxTensConst=1.0000"}},
        DispatchCase{"float_reply_negative", {51, 0, 0, 0x20, 0xC1}, {"status IDS_40", "BoxPk1On=-10.0000"}},
        DispatchCase{"tens_range", {32, 64, 66, 15, 0}, {"status IDS_31", "BoxTensRange=1000000"}},
        DispatchCase{"tens_range_as_signed", {32, 255, 255, 255, 255}, {"status IDS_31", "BoxTensRange=-1"}},
        DispatchCase{"modbus_1_first_entry", {1, 1}, {"status IDS_17", "BoxModbusAdr[0]"}},
        DispatchCase{"modbus_0_no_selection", {1, 0}, {"status IDS_17", "BoxModbusAdr[-1]"}},
        DispatchCase{"index_reply", {46, 14}, {"status IDS_23", "BoxSampleTime[14]"}},
        DispatchCase{"index_out_of_list", {35, 200}, {"status IDS_18", "BoxTensPoint[200]"}},
        DispatchCase{"write_code_ignored", {159, 0, 0, 128, 63}, {}}, DispatchCase{"unknown_code_ignored", {3}, {}},
        DispatchCase{"measurement_request_code_132_ignored", {132}, {}},
        DispatchCase{"reset_ack", {131}, {"status IDS_14"}},
        DispatchCase{"calibration_ack", {140, 9, 9}, {"status IDS_16"}},
        DispatchCase{"taring_ack", {158}, {"status IDS_15"}},
        // Short reports read as padded with zeros.
        DispatchCase{"short_float_reply", {31, 0, 0}, {"status IDS_30", "BoxTensConst=0.0000"}},
        DispatchCase{"short_measurement", {4, 7, 229}, {"sample 0-0-2021 relays 0 0"}},
        DispatchCase{"short_index_reply", {1}, {"status IDS_17", "BoxModbusAdr[-1]"}},
        DispatchCase{"empty_report", {}, {}}));

TEST(Dispatch, MeasurementOverwritesEveryField) {
  RecordingSink sink;
  MeasurementSample latest;
  const MeasurementSample sent = testing::ScriptedSample();
  const auto m = EncodeMeasurement(sent);
  DispatchMessage(m.data(), m.size(), sink, latest, QLatin1Char('.'));
  EXPECT_EQ(std::memcmp(&latest, &sent, sizeof sent), 0);
}

TEST(Parameters, TableIsConsistent) {
  EXPECT_EQ(Parameters().size(), 27u);
  for (const Parameter& p : Parameters()) {
    EXPECT_EQ(FindParameterByReadCode(p.readCode), &p);
    EXPECT_EQ(p.writeCode(), p.readCode + 128);
    if (!p.isList()) {
      EXPECT_GE(p.defaultValue, p.lower) << p.name;
      EXPECT_LE(p.defaultValue, p.upper) << p.name;
    } else {
      EXPECT_LT(p.defaultValue - p.indexOffset(), p.choices.count()) << p.name;
    }
  }
  EXPECT_EQ(FindParameterByReadCode(4), nullptr);
  EXPECT_EQ(FindParameterByReadCode(3), nullptr);
}

}  // namespace
}  // namespace vestrix::protocol
