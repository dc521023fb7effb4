// An instrument held by another program (the window, another vestrix-cli)
// is not used: every command says so and ends with 4, sending nothing;
// list shows who holds it.
#include "cli/exit_code.h"
#include "console_fixture.h"
#include "hid/simulated/sim_bus.h"

namespace vestrix::cli {
namespace {

class InstrumentInUse : public ConsoleFixture {
 protected:
  // The instrument on another program's bus, held there.
  void holdElsewhere() {
    other.setHolderName("vestrix-pc (pid 77)");
    device = other.plug(sim::VestrixInstrumentSpec(instrument));
    specs.clear();
    shared.push_back(device);
    held = other.hold(other.scan().at(0));
    ASSERT_NE(held.hold, nullptr);
  }

  hid::sim::SimBus other;
  std::shared_ptr<hid::sim::SimDevice> device;
  hid::HoldResult held;
};

TEST_F(InstrumentInUse, EveryCommandEndsWith4AndSendsNothing) {
  holdElsewhere();
  const std::string line =
      "vestrix-cli: the instrument at " + device->spec().path + " is in use by vestrix-pc (pid 77)";
  for (const std::vector<std::string>& command :
       std::vector<std::vector<std::string>>{{"watch", "--once"},
                                             {"get", "TensCoef"},
                                             {"set", "TensCoef", "4"},
                                             {"record", path("r.csv"), "--count", "1"},
                                             {"tests", "--count", "1"},
                                             {"tare"}}) {
    const ConsoleRun r = run(command);
    EXPECT_EQ(r.code, kNoAccess) << command[0];
    EXPECT_EQ(Lines(r.err), std::vector<std::string>{line}) << command[0];
  }
  EXPECT_TRUE(device->outputReports().empty());
  EXPECT_EQ(device->holder(), "vestrix-pc (pid 77)");
}

TEST_F(InstrumentInUse, ListShowsWhoHoldsIt) {
  holdElsewhere();
  const ConsoleRun r = run({"list"});
  EXPECT_EQ(r.code, kNoAccess);
  EXPECT_EQ(Lines(r.out),
            std::vector<std::string>{"* " + device->spec().path + "  in use by vestrix-pc (pid 77)  VESTRIX"});
}

TEST_F(InstrumentInUse, UsedOnceTheOtherProgramLetsGo) {
  holdElsewhere();
  held.hold.reset();
  const ConsoleRun r = run({"get", "TensCoef"});
  EXPECT_EQ(r.code, kDone) << r.err;
  // The run let go of it in turn.
  EXPECT_EQ(device->holder(), "");
}

// Looks, from the instrument's side, at who holds it when it is first asked.
class HolderWatch : public hid::sim::SimDeviceBehaviour {
 public:
  explicit HolderWatch(std::shared_ptr<sim::VestrixInstrument> inner) : inner_(std::move(inner)) {}
  void onOutputReport(const hid::sim::Report& report, hid::sim::SimDevice& device) override {
    if (firstHolder.empty()) firstHolder = device.holder();
    inner_->onOutputReport(report, device);
  }
  std::string firstHolder;

 private:
  std::shared_ptr<sim::VestrixInstrument> inner_;
};

// A run holds the instrument while it uses it: another program is refused.
TEST_F(InstrumentInUse, ARunHoldsTheInstrumentWhileItUsesIt) {
  const auto watch = std::make_shared<HolderWatch>(instrument);
  specs.front().behaviour = watch;
  EXPECT_EQ(run({"get", "TensCoef"}).code, kDone);
  EXPECT_EQ(watch->firstHolder, "vestrix-cli (this run)");
}

}  // namespace
}  // namespace vestrix::cli
