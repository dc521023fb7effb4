#include "hid/linux/linux_platform.h"

#include "hid/linux/lock_holder.h"
#include "hid/linux/report_descriptor.h"
#include "hid/linux/udev_monitor.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vestrix::hid::linux_hid {

namespace {

std::string NodeName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Identification comes from sysfs, so it needs no access to the node; the
// descriptor is open only for read and write access.
class LinuxDeviceHandle : public DeviceHandle {
 public:
  LinuxDeviceHandle(const SysfsHidraw& sysfs, HidrawNode node, int fd)
      : sysfs_(sysfs), node_(std::move(node)), fd_(fd) {}
  ~LinuxDeviceHandle() override {
    if (fd_ >= 0) ::close(fd_);
  }

  std::optional<Attributes> attributes() override {
    return Attributes{node_.vendorId, node_.productId, sysfs_.versionNumber(node_)};
  }

  std::optional<std::u16string> productString() override {
    std::optional<std::string> product = sysfs_.productString(node_);
    if (!product) return std::nullopt;
    return Utf8ToUtf16(*product);
  }

  std::optional<Caps> caps() override {
    std::optional<std::vector<std::uint8_t>> descriptor = sysfs_.reportDescriptor(node_);
    if (!descriptor) return std::nullopt;
    const ReportLayout layout = ParseReportDescriptor(*descriptor);
    Caps caps;
    caps.usagePage = layout.usagePage;
    caps.usage = layout.usage;
    caps.inputReportByteLength = layout.inputReportByteLength;
    caps.outputReportByteLength = layout.outputReportByteLength;
    caps.featureReportByteLength = layout.featureReportByteLength;
    return caps;
  }

  bool write(const std::uint8_t* data, std::size_t length) override {
    if (fd_ < 0 || length == 0) return false;
    ssize_t n;
    do {
      n = ::write(fd_, data, length);
    } while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(length);
  }

 private:
  const SysfsHidraw& sysfs_;
  HidrawNode node_;
  int fd_;
};

// The node's descriptor, locked: the lock goes with it.
class LinuxDeviceHold : public DeviceHold {
 public:
  explicit LinuxDeviceHold(int fd) : fd_(fd) {}
  ~LinuxDeviceHold() override {
    if (fd_ >= 0) ::close(fd_);
  }

 private:
  int fd_;
};

// Reads with poll(2) on the node and an eventfd that cancels.
class LinuxReadChannel : public ReadChannel {
 public:
  LinuxReadChannel(int fd, int cancelFd, bool numberedReports)
      : fd_(fd), cancelFd_(cancelFd), numberedReports_(numberedReports) {}
  ~LinuxReadChannel() override {
    ::close(fd_);
    ::close(cancelFd_);
  }

  ReadResult read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    if (cancelled_) return {ReadResult::Cancelled};
    // A report already waiting is taken without a poll: under load that
    // halves the system calls per report.
    ReadResult result = readNow(buffer, length);
    if (result.kind != ReadResult::TimedOut || timeoutMs == 0) return result;
    pollfd fds[2] = {{cancelFd_, POLLIN, 0}, {fd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready < 0) return errno == EINTR ? ReadResult{ReadResult::TimedOut} : ReadResult{ReadResult::Failed, 0, errno};
    if (fds[0].revents != 0) return {ReadResult::Cancelled};
    if (ready == 0) return {ReadResult::TimedOut};
    return readNow(buffer, length);
  }

  void cancel() override {
    cancelled_ = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(cancelFd_, &one, sizeof one);
  }

 private:
  // One read on the non-blocking descriptor; TimedOut when nothing waits.
  ReadResult readNow(std::uint8_t* buffer, std::size_t length) {
    // Reports of a device without report ids come without that byte; the
    // reader expects it first, as 0.
    std::uint8_t* target = numberedReports_ ? buffer : buffer + 1;
    const std::size_t room = numberedReports_ ? length : (length > 0 ? length - 1 : 0);
    const ssize_t n = ::read(fd_, target, room);
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) return {ReadResult::TimedOut};
      return {ReadResult::Failed, 0, errno};
    }
    if (n == 0) return {ReadResult::Data, 0};
    if (!numberedReports_) buffer[0] = 0;
    return {ReadResult::Data, static_cast<std::size_t>(n) + (numberedReports_ ? 0 : 1)};
  }

  int fd_;
  int cancelFd_;
  bool numberedReports_;
  std::atomic<bool> cancelled_{false};
};

}  // namespace

LinuxPlatform::LinuxPlatform() : LinuxPlatform(Options{}) {}

LinuxPlatform::LinuxPlatform(Options options) : options_(std::move(options)), sysfs_(options_.sysRoot) {
  if (options_.watchChanges) monitor_ = std::make_unique<UdevMonitor>([this] { changes_.notify(); });
}

LinuxPlatform::~LinuxPlatform() = default;

void LinuxPlatform::setChangeHandler(std::function<void()> handler) { changes_.set(std::move(handler)); }

std::vector<PnpInfo> LinuxPlatform::scan() {
  std::vector<PnpInfo> found;
  for (const HidrawNode& node : sysfs_.enumerate()) {
    found.push_back({node.instance, options_.devRoot + "/" + node.name});
  }
  return found;
}

std::optional<HidrawNode> LinuxPlatform::nodeOf(const PnpInfo& device) const {
  std::optional<HidrawNode> node = sysfs_.find(NodeName(device.devicePath));
  // hidrawN numbers are reused: the node must still be the same device.
  if (!node || node->instance != device.devInst) return std::nullopt;
  return node;
}

int LinuxPlatform::openNode(const std::string& path, int flags) { return ::open(path.c_str(), flags); }

bool LinuxPlatform::stillSameDevice(const PnpInfo& device, int fd) const {
  // The node may have gone and its number been given to another device
  // between the look-up and the open; the open descriptor now pins it.
  if (nodeOf(device)) return true;
  ::close(fd);
  return false;
}

std::unique_ptr<DeviceHandle> LinuxPlatform::open(const PnpInfo& device, OpenMode mode) {
  std::optional<HidrawNode> node = nodeOf(device);
  if (!node) return nullptr;
  int fd = -1;
  if (mode == OpenMode::ReadWrite) {
    fd = openNode(device.devicePath, O_RDWR | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (!stillSameDevice(device, fd)) return nullptr;
  }
  return std::make_unique<LinuxDeviceHandle>(sysfs_, std::move(*node), fd);
}

std::unique_ptr<ReadChannel> LinuxPlatform::openRead(const PnpInfo& device, int* error) {
  std::optional<HidrawNode> node = nodeOf(device);
  if (!node) {
    *error = ENODEV;
    return nullptr;
  }
  const std::optional<std::vector<std::uint8_t>> descriptor = sysfs_.reportDescriptor(*node);
  const bool numbered = descriptor && ParseReportDescriptor(*descriptor).numberedReports;
  const int fd = openNode(device.devicePath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *error = errno;
    return nullptr;
  }
  if (!stillSameDevice(device, fd)) {
    *error = ENODEV;
    return nullptr;
  }
  const int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (cancelFd < 0) {
    *error = errno;
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<LinuxReadChannel>(fd, cancelFd, numbered);
}

HoldResult LinuxPlatform::hold(const PnpInfo& device) {
  // A node that cannot be opened or locked here is used as before: the
  // hold keeps programs of this kind apart, it is not what grants access.
  const int fd = openNode(device.devicePath, O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return {std::make_unique<LinuxDeviceHold>(-1), false, {}};
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) {
    return {std::make_unique<LinuxDeviceHold>(fd), false, {}};
  }
  struct stat st {};
  std::string holder;
  if (::fstat(fd, &st) == 0) holder = LockHolder(st.st_dev, st.st_ino, options_.procRoot);
  ::close(fd);
  return {nullptr, true, holder};
}

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < n;
    for (int k = 1; valid && k <= extra; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (!valid || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += 1 + extra;
  }
  return out;
}

}  // namespace vestrix::hid::linux_hid
