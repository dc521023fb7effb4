#include "simulated_instrument/linux/uhid_device.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vestrix::sim {

const std::vector<std::uint8_t>& InstrumentDescriptor() {
  static const std::vector<std::uint8_t> descriptor = {
      0x06, 0x00, 0xFF,                                                              // usage page: vendor defined
      0x09, 0x01,                                                                    // usage 1
      0xA1, 0x01,                                                                    // collection (application)
      0x85, 0x01,                                                                    //   report id 1
      0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F, 0x81, 0x02,  //   input: 63 bytes
      0x09, 0x01, 0x95, 0x3F, 0x91, 0x02,                                            //   output: 63 bytes
      0xC0,                                                                          // end collection
  };
  return descriptor;
}

UhidDevice::UhidDevice(Config config, OutputHandler onOutput)
    : config_(std::move(config)), onOutput_(std::move(onOutput)) {}

UhidDevice::~UhidDevice() { destroy(); }

bool UhidDevice::create(std::string* error) {
  if (created()) return true;
  const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = std::string("/dev/uhid: ") + std::strerror(errno);
    return false;
  }
  uhid_event event{};
  event.type = UHID_CREATE2;
  std::strncpy(reinterpret_cast<char*>(event.u.create2.name), config_.name.c_str(), sizeof event.u.create2.name - 1);
  std::strncpy(reinterpret_cast<char*>(event.u.create2.phys), "vestrix-sim-uhid", sizeof event.u.create2.phys - 1);
  std::strncpy(reinterpret_cast<char*>(event.u.create2.uniq), config_.uniq.c_str(), sizeof event.u.create2.uniq - 1);
  event.u.create2.rd_size =
      static_cast<std::uint16_t>(std::min(config_.descriptor.size(), sizeof event.u.create2.rd_data));
  std::memcpy(event.u.create2.rd_data, config_.descriptor.data(), event.u.create2.rd_size);
  event.u.create2.bus = 0x03;  // USB
  event.u.create2.vendor = config_.vendorId;
  event.u.create2.product = config_.productId;
  event.u.create2.version = config_.version;
  fd_ = fd;
  if (!writeEvent(&event, sizeof event)) {
    if (error) *error = std::string("UHID_CREATE2: ") + std::strerror(errno);
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  stopFd_ = ::eventfd(0, EFD_CLOEXEC);
  thread_ = std::thread([this] { run(); });
  return true;
}

void UhidDevice::destroy() {
  if (!created()) return;
  uhid_event event{};
  event.type = UHID_DESTROY;
  writeEvent(&event, sizeof event);
  const std::uint64_t one = 1;
  [[maybe_unused]] ssize_t n = ::write(stopFd_, &one, sizeof one);
  thread_.join();
  ::close(stopFd_);
  std::lock_guard lock(writeMutex_);
  ::close(fd_);
  fd_ = -1;
  stopFd_ = -1;
}

std::vector<std::vector<std::uint8_t>> UhidDevice::recentOutputs() const {
  std::lock_guard lock(recentMutex_);
  return {recent_.begin(), recent_.end()};
}

bool UhidDevice::writeEvent(const void* event, std::size_t size) {
  std::lock_guard lock(writeMutex_);
  if (fd_ < 0) return false;
  ssize_t n;
  do {
    n = ::write(fd_, event, size);
  } while (n < 0 && errno == EINTR);
  return n == static_cast<ssize_t>(size);
}

bool UhidDevice::sendInput(const std::uint8_t* data, std::size_t size) {
  uhid_event event{};
  event.type = UHID_INPUT2;
  event.u.input2.size = static_cast<std::uint16_t>(std::min(size, sizeof event.u.input2.data));
  std::memcpy(event.u.input2.data, data, event.u.input2.size);
  return writeEvent(&event, sizeof event);
}

void UhidDevice::run() {
  for (;;) {
    pollfd fds[2] = {{stopFd_, POLLIN, 0}, {fd_, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents) return;
    uhid_event event{};
    if (::read(fd_, &event, sizeof event) <= 0) continue;
    switch (event.type) {
      case UHID_OUTPUT: {
        ++outputs_;
        const std::vector<std::uint8_t> report(event.u.output.data, event.u.output.data + event.u.output.size);
        {
          std::lock_guard lock(recentMutex_);
          if (recent_.size() >= 64) recent_.pop_front();
          recent_.push_back(report);
        }
        if (onOutput_) onOutput_(report);
        break;
      }
      case UHID_GET_REPORT: {
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = event.u.get_report.id;
        reply.u.get_report_reply.err = EIO;
        writeEvent(&reply, sizeof reply);
        break;
      }
      case UHID_SET_REPORT: {
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = event.u.set_report.id;
        writeEvent(&reply, sizeof reply);
        break;
      }
      default: break;
    }
  }
}

}  // namespace vestrix::sim
