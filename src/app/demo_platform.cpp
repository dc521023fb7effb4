#include "app/demo_platform.h"

#include "hid/sim/sim_bus.h"
#include "sim/vestrix_instrument.h"

namespace vestrix::app {

std::unique_ptr<hid::Platform> MakeDemoPlatform() {
  auto bus = std::make_unique<hid::sim::SimBus>();
  bus->plug(sim::VestrixInstrumentSpec(std::make_shared<sim::VestrixInstrument>()));
  return bus;
}

}  // namespace vestrix::app
