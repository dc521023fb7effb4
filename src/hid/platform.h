#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vestrix::hid {

// One HID interface as a scan finds it.
struct PnpInfo {
  std::uint32_t devInst = 0;  // identity across scans; changes when the device is plugged in again
  std::string devicePath;     // what the interface is opened by
};

struct Attributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t versionNumber = 0;
};

// Report capabilities; both report lengths count the report id byte.
struct Caps {
  std::uint16_t usage = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t inputReportByteLength = 0;
  std::uint16_t outputReportByteLength = 0;
  std::uint16_t featureReportByteLength = 0;
};

enum class OpenMode {
  ReadWrite,     // reports can be written
  IdentifyOnly,  // enough for attributes, product string and descriptor
};

// An opened interface (the device's main handle). Used on the GUI thread.
class DeviceHandle {
 public:
  virtual ~DeviceHandle() = default;
  virtual std::optional<Attributes> attributes() = 0;
  virtual std::optional<std::u16string> productString() = 0;
  virtual std::optional<Caps> caps() = 0;
  // Writes one output report (byte 0 is the report id); false on failure.
  virtual bool write(const std::uint8_t* data, std::size_t length) = 0;
};

struct ReadResult {
  enum Kind { Data, TimedOut, Cancelled, Failed };
  Kind kind = TimedOut;
  std::size_t bytes = 0;  // with Data: the report's length, report id byte included
  int error = 0;          // with Failed: the system's error code
};

// The handle a reader reads input reports by. read() runs on the reader
// thread; cancel() may come from any thread and makes the read in progress,
// and every later one, return Cancelled at once.
class ReadChannel {
 public:
  virtual ~ReadChannel() = default;
  // One input report into buffer: byte 0 is its report id, 0 for a device
  // without report ids (adding that byte is the backend's job). Once read()
  // has returned, nothing writes to the buffer any more, whatever the
  // result: a backend whose reads outlive the call (a timed-out read still
  // pending in the system) reads into a buffer of its own.
  virtual ReadResult read(std::uint8_t* buffer, std::size_t length, int timeoutMs) = 0;
  virtual void cancel() = 0;
};

// An interface held by this program for itself while it exists: another
// program that asks is told it is in use (an advisory hold: only programs
// that ask respect it).
class DeviceHold {
 public:
  virtual ~DeviceHold() = default;
};

// What asking for an interface of one's own gave.
struct HoldResult {
  std::unique_ptr<DeviceHold> hold;  // null when it could not be taken
  bool inUse = false;                // another program holds it
  std::string holder;                // which, where the system says so ("name (pid N)"); else empty
};

// The operating system's HID services.
class Platform {
 public:
  virtual ~Platform() = default;

  // Whether HID services exist at all; without them nothing is ever found.
  virtual bool available() const = 0;

  // The HID interfaces present now.
  virtual std::vector<PnpInfo> scan() = 0;

  // Opens an interface; null when it cannot be opened that way.
  virtual std::unique_ptr<DeviceHandle> open(const PnpInfo& device, OpenMode mode) = 0;

  // Opens an interface for reading reports; null with *error set on failure.
  virtual std::unique_ptr<ReadChannel> openRead(const PnpInfo& device, int* error) = 0;

  // Takes an interface for this program alone, never waiting for it. A
  // system without such holds gives a hold that holds nothing.
  virtual HoldResult hold(const PnpInfo& device);

  // The system's error code for "the handle is gone", which a reader
  // reports while its device is unplugged but not yet released.
  virtual int handleGoneError() const = 0;

  // The handler is called, from any thread, whenever the set of devices may
  // have changed. Set once by the controller; cleared with an empty handler.
  virtual void setChangeHandler(std::function<void()> handler) = 0;
};

}  // namespace vestrix::hid
