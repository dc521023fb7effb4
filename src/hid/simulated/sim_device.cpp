#include "hid/simulated/sim_device.h"

#include <algorithm>

namespace vestrix::hid::sim {

SimDevice::SimDevice(SimDeviceSpec spec, std::uint32_t identity) : spec_(std::move(spec)), identity_(identity) {}

bool SimDevice::plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void SimDevice::queueInput(Report report) {
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return;
    if (input_.size() >= kInputQueueLimit) input_.pop_front();
    input_.push_back(std::move(report));
  }
  inputReady_.notify_all();
}

std::size_t SimDevice::pendingInput() const {
  std::lock_guard lock(mutex_);
  return input_.size();
}

std::vector<Report> SimDevice::outputReports() const {
  std::lock_guard lock(mutex_);
  return {output_.begin(), output_.end()};
}

void SimDevice::clearOutputReports() {
  std::lock_guard lock(mutex_);
  output_.clear();
}

int SimDevice::openReadChannels() const {
  std::lock_guard lock(mutex_);
  return readChannels_;
}

std::string SimDevice::holder() const {
  std::lock_guard lock(mutex_);
  return holder_;
}

void SimDevice::setUnplugged() {
  {
    std::lock_guard lock(mutex_);
    plugged_ = false;
    input_.clear();
  }
  inputReady_.notify_all();
}

bool SimDevice::write(const std::uint8_t* data, std::size_t length) {
  Report report(data, data + length);
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return false;
    if (output_.size() >= kOutputRecordLimit) output_.pop_front();
    output_.push_back(report);
  }
  if (spec_.behaviour) spec_.behaviour->onOutputReport(report, *this);
  return true;
}

}  // namespace vestrix::hid::sim
