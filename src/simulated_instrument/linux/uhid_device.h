#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vestrix::sim {

// A HID device made real in the kernel through /dev/uhid: it gets a hidraw
// node like a device on USB would. Output reports written to that node
// arrive at the handler (on the device's own thread); input reports are
// sent with sendInput().
class UhidDevice {
 public:
  struct Config {
    std::string name;  // the product name the kernel reports
    std::uint16_t vendorId = 0x1209;
    std::uint16_t productId = 0x0001;
    std::uint16_t version = 0x0100;
    std::vector<std::uint8_t> descriptor;
    std::string uniq;
  };
  using OutputHandler = std::function<void(const std::vector<std::uint8_t>& report)>;

  UhidDevice(Config config, OutputHandler onOutput);
  ~UhidDevice();

  UhidDevice(const UhidDevice&) = delete;
  UhidDevice& operator=(const UhidDevice&) = delete;

  // Plugs the device in; false with a reason when /dev/uhid refuses.
  bool create(std::string* error = nullptr);
  // Unplugs it.
  void destroy();
  bool created() const { return fd_ >= 0; }

  // Sends one input report (byte 0 the report id when the device numbers
  // its reports); false when it is not plugged in.
  bool sendInput(const std::uint8_t* data, std::size_t size);
  bool sendInput(const std::vector<std::uint8_t>& report) { return sendInput(report.data(), report.size()); }

  // Output reports received since creation, and the latest few of them.
  long outputCount() const { return outputs_; }
  std::vector<std::vector<std::uint8_t>> recentOutputs() const;

 private:
  void run();
  bool writeEvent(const void* event, std::size_t size);

  const Config config_;
  const OutputHandler onOutput_;
  std::mutex writeMutex_;
  int fd_ = -1;
  int stopFd_ = -1;
  std::atomic<long> outputs_{0};
  mutable std::mutex recentMutex_;
  std::deque<std::vector<std::uint8_t>> recent_;
  std::thread thread_;
};

// The descriptor of the VESTRIX instrument: report id 1, 63-byte input and
// output reports, vendor-defined usage page.
const std::vector<std::uint8_t>& InstrumentDescriptor();

}  // namespace vestrix::sim
