#include "simulated_instrument/vestrix_instrument.h"

#include <algorithm>

namespace vestrix::sim {

hid::sim::Report VestrixInstrument::InputReport(const std::vector<std::uint8_t>& message) {
  hid::sim::Report report(kReportLength, 0);
  report[0] = 1;
  std::copy_n(message.begin(), std::min<std::size_t>(message.size(), kReportLength - 1), report.begin() + 1);
  return report;
}

std::optional<hid::sim::Report> VestrixInstrument::answer(const hid::sim::Report& output) {
  if (output.size() < 2) return std::nullopt;
  std::lock_guard lock(mutex_);
  std::optional<std::vector<std::uint8_t>> message = model_.handle(output.data() + 1, output.size() - 1);
  if (!message) return std::nullopt;
  return InputReport(*message);
}

void VestrixInstrument::onOutputReport(const hid::sim::Report& report, hid::sim::SimDevice& device) {
  if (std::optional<hid::sim::Report> input = answer(report)) device.queueInput(std::move(*input));
}

hid::sim::SimDeviceSpec VestrixInstrumentSpec(std::shared_ptr<VestrixInstrument> instrument) {
  hid::sim::SimDeviceSpec spec;
  spec.productString = u"VESTRIX";
  spec.vendorId = 0x1209;
  spec.productId = 0x0001;
  spec.inputReportLength = VestrixInstrument::kReportLength;
  spec.outputReportLength = VestrixInstrument::kReportLength;
  spec.behaviour = std::move(instrument);
  return spec;
}

}  // namespace vestrix::sim
