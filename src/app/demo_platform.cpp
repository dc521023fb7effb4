#include "app/demo_platform.h"

#include "hid/sim/sim_bus.h"
#include "sim/vestrix_instrument.h"

namespace vestrix::app {

std::unique_ptr<hid::Platform> MakeDemoPlatform(sim::Signal signal) {
  auto bus = std::make_unique<hid::sim::SimBus>();
  auto instrument = std::make_shared<sim::VestrixInstrument>();
  instrument->withModel([signal](sim::InstrumentModel& model) { model.setSignal(signal); });
  bus->plug(sim::VestrixInstrumentSpec(instrument));
  return bus;
}

}  // namespace vestrix::app
