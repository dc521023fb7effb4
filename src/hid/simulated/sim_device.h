#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vestrix::hid::sim {

class SimDevice;
using Report = std::vector<std::uint8_t>;

// What a simulated device does with the output reports written to it.
class SimDeviceBehaviour {
 public:
  virtual ~SimDeviceBehaviour() = default;
  // Called on the writer's thread for every output report (byte 0 is the
  // report id); the device may queue input reports in answer.
  virtual void onOutputReport(const Report& report, SimDevice& device) = 0;
};

// How a simulated device presents itself.
struct SimDeviceSpec {
  std::string path;  // empty: the bus makes one up
  std::uint16_t vendorId = 0x1209;
  std::uint16_t productId = 0x0001;
  std::uint16_t versionNumber = 0x0100;
  std::optional<std::u16string> productString = u"";  // nullopt: reading it fails
  bool opens = true;                                  // false: cannot be opened at all
  bool readWrite = true;                              // false: opens only for identification
  bool identifiable = true;                           // false: reading its attributes fails
  std::uint16_t inputReportLength = 64;               // report id byte included
  std::uint16_t outputReportLength = 64;              // report id byte included
  std::shared_ptr<SimDeviceBehaviour> behaviour;
};

// One plugged-in simulated device: the device side of the bus.
class SimDevice : public std::enable_shared_from_this<SimDevice> {
 public:
  static constexpr std::size_t kInputQueueLimit = 64;      // like the kernel's per-reader buffer
  static constexpr std::size_t kOutputRecordLimit = 4096;  // a long demo run stays bounded

  SimDevice(SimDeviceSpec spec, std::uint32_t identity);

  const SimDeviceSpec& spec() const { return spec_; }
  std::uint32_t identity() const { return identity_; }
  bool plugged() const;

  // Any thread: an input report (byte 0 is the report id) for the host to
  // read; the oldest is dropped when the queue is full.
  void queueInput(Report report);
  std::size_t pendingInput() const;

  // The output reports written so far (the latest kOutputRecordLimit).
  std::vector<Report> outputReports() const;
  void clearOutputReports();

  // Open read channels right now (for leak checks).
  int openReadChannels() const;
  // Who holds the device for itself; empty while nobody does.
  std::string holder() const;

 private:
  friend class SimBus;
  friend class SimReadChannel;
  friend class SimDeviceHandle;
  friend class SimDeviceHold;

  void setUnplugged();
  bool write(const std::uint8_t* data, std::size_t length);

  const SimDeviceSpec spec_;
  const std::uint32_t identity_;
  mutable std::mutex mutex_;
  std::condition_variable inputReady_;
  bool plugged_ = true;
  std::deque<Report> input_;
  std::deque<Report> output_;
  int readChannels_ = 0;
  std::string holder_;
};

}  // namespace vestrix::hid::sim
