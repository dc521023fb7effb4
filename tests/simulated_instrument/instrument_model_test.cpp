#include "simulated_instrument/instrument_model.h"

#include "protocol/codecs.h"
#include "protocol/measurement_sample.h"
#include "protocol/message_codes.h"
#include "protocol/parameter_table.h"

#include <gtest/gtest.h>

namespace vestrix::sim {
namespace {

class Instrument : public ::testing::Test {
 protected:
  Instrument() {
    model.setClock([] { return InstrumentTime{2021, 3, 4, 5, 6, 7}; });
    model.setSignalTime([this] { return seconds; });
    model.setNoise(0);
  }
  std::optional<std::vector<std::uint8_t>> send(std::vector<std::uint8_t> message) {
    return model.handle(message.data(), message.size());
  }
  protocol::MeasurementSample measurement() {
    auto reply = send({protocol::kReadMeasurement});
    EXPECT_TRUE(reply);
    EXPECT_EQ(reply->size(), 31u);
    return protocol::DecodeMeasurement(protocol::MessageView(reply->data(), reply->size()));
  }
  InstrumentModel model;
  double seconds = 0;
};

TEST_F(Instrument, MeasurementCarriesItsClockAndLiveSignals) {
  const auto first = measurement();
  EXPECT_EQ(first.year, 2021);
  EXPECT_EQ(first.month, 3);
  EXPECT_EQ(first.second, 7);
  seconds = 2;  // a quarter of the load cycle
  const auto later = measurement();
  EXPECT_NE(later.tensValue, first.tensValue);
  EXPECT_EQ(later.counterValue, 50);  // counts 25 per second
  EXPECT_GE(later.analogValue, 0);
  EXPECT_LE(later.analogValue, 10);
  EXPECT_EQ(later.minValue, first.tensValue);
  EXPECT_EQ(later.maxValue, later.tensValue);
}

TEST_F(Instrument, EveryParameterIsReadBackAsWritten) {
  for (const protocol::Parameter& p : protocol::Parameters()) {
    std::vector<std::uint8_t> write{p.writeCode()};
    if (p.writeLength() == 5) {
      write.resize(5);
      protocol::PutFloat32(&write[1], 1.5f);
    } else {
      write.push_back(1);
    }
    EXPECT_FALSE(send(write)) << p.name << ": writes are not answered";
    auto reply = send({p.readCode});
    ASSERT_TRUE(reply) << p.name;
    std::vector<std::uint8_t> expected = write;
    expected[0] = p.readCode;
    EXPECT_EQ(*reply, expected) << p.name;
  }
}

TEST_F(Instrument, ActionsAreAnsweredWithTheirCode) {
  seconds = 2;
  ASSERT_GT(measurement().tensValue, 100);
  EXPECT_EQ(send({protocol::kTaring}), std::vector<std::uint8_t>{protocol::kTaring});
  EXPECT_NEAR(measurement().tensValue, 0, 1e-3);  // taring zeroes the load
  seconds = 6;
  ASSERT_LT(measurement().minValue, -700);
  EXPECT_EQ(send({protocol::kResetMinMax}), std::vector<std::uint8_t>{protocol::kResetMinMax});
  seconds = 4;
  const auto afterReset = measurement();  // MIN and MAX restart from here
  EXPECT_EQ(afterReset.minValue, afterReset.tensValue);
  EXPECT_EQ(afterReset.maxValue, afterReset.tensValue);
  EXPECT_EQ(send({protocol::kInputCalibration}), std::vector<std::uint8_t>{protocol::kInputCalibration});
  EXPECT_FALSE(send({3}));
  EXPECT_FALSE(send({132}));
}

TEST_F(Instrument, RelaysFollowTheirLevels) {
  // PK1 on the load (ON 600, OFF 400): the load swings 100..900 over 8 s.
  seconds = 2;  // 900
  EXPECT_EQ(measurement().relay1, 1);
  seconds = 4;  // 500: between the levels, stays
  EXPECT_EQ(measurement().relay1, 1);
  seconds = 6;  // 100
  EXPECT_EQ(measurement().relay1, 0);
  std::vector<std::uint8_t> on{static_cast<std::uint8_t>(51 | 128), 0, 0, 0, 0};
  protocol::PutFloat32(&on[1], 50.0f);
  send(on);
  EXPECT_EQ(measurement().relay1, 1);
}

}  // namespace
}  // namespace vestrix::sim
