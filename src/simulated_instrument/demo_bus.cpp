#include "simulated_instrument/demo_bus.h"

#include "hid/simulated/sim_bus.h"
#include "simulated_instrument/vestrix_instrument.h"

namespace vestrix::sim {

std::unique_ptr<hid::Platform> MakeDemoBus(Signal signal) {
  auto bus = std::make_unique<hid::sim::SimBus>();
  auto instrument = std::make_shared<VestrixInstrument>();
  instrument->withModel([signal](InstrumentModel& model) { model.setSignal(signal); });
  bus->plug(VestrixInstrumentSpec(instrument));
  return bus;
}

}  // namespace vestrix::sim
