// The device link on its own, as the window and vestrix-cli both hold it:
// the poll, the unit kept with the connection, what reaches the program's
// sink and what is sent when.
#include "device/instrument_link.h"

#include "hid/simulated/sim_bus.h"
#include "loop/qt_gui_thread.h"
#include "protocol/message_codes.h"
#include "protocol/parameter_table.h"
#include "simulated_instrument/instrument_model.h"
#include "simulated_instrument/vestrix_instrument.h"

#include "support/qt_pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace vestrix::device {
namespace {

// A program around the link that keeps what reaches it.
class RecordingProgram : public DiscoveryHost, public protocol::MessageSink {
 public:
  InstrumentLink* link = nullptr;
  std::vector<bool> connections;
  int measurements = 0;
  std::vector<std::uint8_t> replies;  // read codes of valueReplied
  std::vector<std::uint8_t> choices;  // read codes of selectChoice
  std::vector<QString> statuses;

  QString lookupMessage(const QString& identifier) const override { return identifier; }
  void setStatusText(int, const QString&, const QStringList&) override {}
  void setConnected(bool connected) override { connections.push_back(connected); }
  hid::ReportHandler instrumentReportHandler() override {
    return hid::ReportHandler::bind<&RecordingProgram::report>(this);
  }
  void deviceListChanged(const std::vector<DeviceLine>&) override {}
  void instrumentRefused(const Refusal&) override {}
  void showStatus(const QString& identifier) override { statuses.push_back(identifier); }
  void showValue(const protocol::Parameter&, const QString&) override {}
  void selectChoice(const protocol::Parameter& parameter, int) override { choices.push_back(parameter.readCode); }
  void measurementReceived(const protocol::MeasurementSample&) override { ++measurements; }
  void valueReplied(const protocol::ParameterValue& value) override { replies.push_back(value.parameter->readCode); }

 private:
  void report(hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
    link->dispatch(data, size);
  }
};

int Count(const std::vector<std::uint8_t>& codes, std::uint8_t code) {
  return static_cast<int>(std::count(codes.begin(), codes.end(), code));
}

class Link : public ::testing::Test {
 protected:
  void SetUp() override {
    instrument = std::make_shared<sim::VestrixInstrument>();
    bus.plug(sim::VestrixInstrumentSpec(instrument));
    link = std::make_unique<InstrumentLink>(bus, gui, program, program);
    program.link = link.get();
  }
  void TearDown() override { link->shutDown(); }

  void storeUnit(std::uint8_t position) {
    instrument->withModel([&](sim::InstrumentModel& m) {
      const std::uint8_t write[] = {protocol::kTensUnitRead | protocol::kWriteFlag, position};
      m.handle(write, sizeof write);
    });
  }
  bool connected() {
    return testing::PumpUntil([&] { return link->connected(); });
  }

  loop::QtGuiThread gui;
  hid::sim::SimBus bus;
  std::shared_ptr<sim::VestrixInstrument> instrument;
  RecordingProgram program;
  std::unique_ptr<InstrumentLink> link;
};

TEST_F(Link, PollsEvery15MsOnlyOnceAskedAndOnlyWhileConnected) {
  ASSERT_TRUE(connected());
  EXPECT_EQ(link->pollTimer().interval(), 15);
  EXPECT_FALSE(link->pollTimer().isActive());  // vestrix-cli's get polls nothing
  link->startPolling();
  EXPECT_TRUE(link->pollTimer().isActive());
  EXPECT_TRUE(testing::PumpUntil([&] { return program.measurements >= 5; }));
  link->stopPolling();
  EXPECT_FALSE(link->pollTimer().isActive());
  link->startPolling();
  bus.unplug(bus.devices().front());
  EXPECT_TRUE(testing::PumpUntil([&] { return !link->connected(); }));
  EXPECT_FALSE(link->pollTimer().isActive());
  EXPECT_EQ(program.connections.back(), false);
}

TEST_F(Link, KeepsTheUnitAndKeepsItsOwnQuestionsAnswerOffTheProgram) {
  storeUnit(2);
  ASSERT_TRUE(connected());
  EXPECT_EQ(link->unit(), measure::ForceUnit::Unknown);
  link->startPolling();
  ASSERT_TRUE(testing::PumpUntil([&] { return link->unit() == measure::ForceUnit::Newton; }));
  // The reply went by (a program waiting for it sees it) but changed no page.
  EXPECT_EQ(Count(program.replies, protocol::kTensUnitRead), 1);
  EXPECT_EQ(Count(program.choices, protocol::kTensUnitRead), 0);
  EXPECT_TRUE(program.statuses.empty());

  // A read of the program's own is answered to the program.
  link->request(protocol::kTensUnitRead);
  EXPECT_TRUE(testing::PumpUntil([&] { return Count(program.choices, protocol::kTensUnitRead) == 1; }));
  EXPECT_EQ(program.statuses.size(), 1U);

  // A write of TensUnit through the link is followed.
  link->write(protocol::Command{{protocol::kTensUnitRead | protocol::kWriteFlag, 1}, 2});
  EXPECT_TRUE(testing::PumpUntil([&] { return link->unit() == measure::ForceUnit::Kilogram; }));

  // A new connection starts with the unit unknown again.
  bus.unplug(bus.devices().front());
  ASSERT_TRUE(testing::PumpUntil([&] { return !link->connected(); }));
  EXPECT_EQ(link->unit(), measure::ForceUnit::Unknown);
}

TEST_F(Link, SendsNothingUntilConnectedAndEverythingThroughItsTransmitter) {
  std::vector<std::vector<std::uint8_t>> sent;
  link->setTransmitter([&](const std::uint8_t* message, std::uint32_t n) { sent.emplace_back(message, message + n); });
  link->request(protocol::kReadMeasurement);
  link->write(protocol::Command{{protocol::kTensUnitRead | protocol::kWriteFlag, 1}, 2});
  EXPECT_TRUE(sent.empty());  // the start-up pass has not run yet
  ASSERT_TRUE(connected());
  link->poll();
  link->write(protocol::Command{{protocol::kTensUnitRead | protocol::kWriteFlag, 1}, 2});
  const std::vector<std::vector<std::uint8_t>> expected{{protocol::kReadMeasurement},
                                                        {protocol::kTensUnitRead | protocol::kWriteFlag, 1}};
  EXPECT_EQ(sent, expected);
}

}  // namespace
}  // namespace vestrix::device
