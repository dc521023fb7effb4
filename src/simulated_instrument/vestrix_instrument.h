#pragma once

#include "hid/simulated/sim_device.h"
#include "simulated_instrument/instrument_model.h"

#include <memory>
#include <mutex>
#include <optional>

namespace vestrix::sim {

// The instrument on the simulated HID bus: every output report is a message
// for the model, and its answer comes back as an input report (report id 1,
// 64 bytes). The same model serves the kernel-level device of vestrix-sim-uhid.
class VestrixInstrument : public hid::sim::SimDeviceBehaviour {
 public:
  static constexpr std::uint16_t kReportLength = 64;  // report id byte included

  void onOutputReport(const hid::sim::Report& report, hid::sim::SimDevice& device) override;

  // The input report that answers an output report (byte 0 the report id), if any.
  std::optional<hid::sim::Report> answer(const hid::sim::Report& output);

  // Runs f with the model, safe against the bus's thread.
  template <class F>
  auto withModel(F&& f) {
    std::lock_guard lock(mutex_);
    return f(model_);
  }

  // The input report that carries a message.
  static hid::sim::Report InputReport(const std::vector<std::uint8_t>& message);

 private:
  std::mutex mutex_;
  InstrumentModel model_;
};

// How the instrument presents itself on the bus: product string "VESTRIX",
// 64-byte reports with report id 1.
hid::sim::SimDeviceSpec VestrixInstrumentSpec(std::shared_ptr<VestrixInstrument> instrument);

}  // namespace vestrix::sim
