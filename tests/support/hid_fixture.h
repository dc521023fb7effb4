#pragma once

#include "hid/hid_device_controller.h"
#include "hid/manual_gui_thread.h"
#include "hid/simulated/sim_bus.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace vestrix::testing {

using namespace std::chrono_literals;

inline hid::sim::SimDeviceSpec DeviceSpec(std::u16string product, std::uint16_t vid = 0x1209,
                                          std::uint16_t pid = 0x0001) {
  hid::sim::SimDeviceSpec spec;
  spec.productString = std::move(product);
  spec.vendorId = vid;
  spec.productId = pid;
  return spec;
}

// A controller on a simulated bus, with the test thread as its GUI thread.
struct HidFixture {
  hid::ManualGuiThread gui;
  hid::sim::SimBus bus;
  std::unique_ptr<hid::HidDeviceController> controller;

  void createController() { controller = std::make_unique<hid::HidDeviceController>(bus, gui); }

  // Serves the GUI thread until the condition holds (or 5 s pass).
  bool runUntil(const std::function<bool()>& done) { return gui.runUntil(done, 5s); }
  // Serves the GUI thread for a while.
  void runFor(std::chrono::milliseconds time) {
    gui.runUntil([] { return false; }, time);
  }
};

}  // namespace vestrix::testing
