#pragma once

#include "hid/gui_thread.h"
#include "hid/handler.h"
#include "hid/platform.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace vestrix::hid {

class HidDevice;
class HidDeviceController;
class HidDeviceReadThread;

// ReportID is report byte 0; Data points at byte 1 and holds Size bytes,
// valid only during the call.
using ReportHandler =
    Handler<void(HidDevice& device, std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size)>;
using ReadErrorHandler = Handler<void(HidDevice& device, std::uint32_t error)>;
using PlugHandler = Handler<void(HidDevice& device)>;

// One HID interface: identified at creation, opened on demand, and, while
// claimed with a report handler, read by its own reader thread that hands
// every input report over to the GUI thread. All members are for the GUI
// thread unless said otherwise.
class HidDevice {
 public:
  static constexpr int kDefaultReaderSleepTime = 100;
  static constexpr int kMinReaderSleepTime = 10;
  static constexpr int kMaxReaderSleepTime = 10000;
  static constexpr std::size_t kMaxProductNameLength = 254;

  // Opens the interface for read and write, or else for identification,
  // and reads its attributes. Throws ControllerError ("Device cannot be
  // opened", "Device cannot be identified").
  HidDevice(PnpInfo pnpInfo, HidDeviceController* controller, Platform& platform, GuiThread& gui);
  ~HidDevice();

  // Device objects alive in the process (any thread): a long run that
  // plugs and unplugs must come back to where it started.
  static int liveCount();

  HidDevice(const HidDevice&) = delete;
  HidDevice& operator=(const HidDevice&) = delete;

  const PnpInfo& pnpInfo() const { return pnpInfo_; }
  HidDeviceController* controller() const { return controller_; }
  // Never the same for two device objects of one run, unlike their
  // addresses: the controller finds an object again by it after a handler
  // that may have destroyed it.
  std::uint64_t serial() const { return serial_; }

  bool pluggedIn() const { return pluggedIn_; }
  bool claimed() const { return claimed_; }
  bool inCallback() const { return inCallback_; }

  std::u16string ProductName();
  std::uint16_t VendorID() const { return attributes_.vendorId; }
  std::uint16_t ProductID() const { return attributes_.productId; }
  std::uint16_t VersionNumber() const { return attributes_.versionNumber; }
  Caps GetCaps();
  bool OpenedForReadWrite() const { return openedForReadWrite_; }
  bool WriteReport(const std::uint8_t* data, std::size_t length);

  const ReportHandler& reportHandler() const { return reportHandler_; }
  void setReportHandler(ReportHandler handler);
  const PlugHandler& unplugHandler() const { return unplugHandler_; }
  void setUnplugHandler(PlugHandler handler) { unplugHandler_ = std::move(handler); }
  const ReadErrorHandler& readErrorHandler() const { return readErrorHandler_; }
  void setReadErrorHandler(ReadErrorHandler handler) { readErrorHandler_ = std::move(handler); }

  int ReaderSleepTime() const { return readerSleepTime_; }  // any thread
  void setReaderSleepTime(int milliseconds);

  // Starts the reader when a report handler is set, the device is plugged
  // in, claimed and open for read and write, and no reader exists.
  void tryStartReader();
  // Whether a reader exists (running, or ended by an error of its handler).
  bool hasReader() const { return reader_ != nullptr; }
  // Whether the reader holds the device open for reading (any thread): an
  // input report the device sends before that reaches nobody.
  bool readChannelOpen() const { return readOpen_; }

  // Takes the device for this program alone (kept until its handles are
  // closed); false when another program holds it, *holder then naming it
  // where the system says (else empty). True at once while held.
  bool holdExclusive(std::string* holder);
  bool held() const { return hold_ != nullptr; }

  // Closes the main and the read handle, and lets go of the hold.
  void closeHandles();

 private:
  // First member: counted once constructed, uncounted however it ends,
  // a constructor that throws included.
  struct LiveCounter {
    LiveCounter();
    ~LiveCounter();
  } live_;

  friend class HidDeviceReadThread;
  // What only the controller changes.
  friend class HidDeviceController;
  void cutControllerLink() { controller_ = nullptr; }
  void setClaimed(bool claimed) { claimed_ = claimed; }
  void setInCallback(bool inCallback) { inCallback_ = inCallback; }
  // The controller found the device gone. The unplug handler runs last:
  // it may release, and so destroy, the device.
  void unplug();
  // Given back by its holder, or the controller goes: reader stopped,
  // handlers cleared, handles closed, descriptor freed.
  void close();
  // Whether a release of this object or a stop of its reader is under way
  // further up the stack (handlers run inside the stop's wait).
  bool closing() const { return closing_; }
  bool stoppingReader() const { return stoppingReader_; }

  bool accessible() const { return pluggedIn_ && (claimed_ || inCallback_); }
  bool openTwoStep();
  bool openMain();
  void closeMain();
  void closeRead();
  void stopReader();
  // Reader thread: the read handle, opened when the device is accessible.
  std::shared_ptr<ReadChannel> acquireReadChannel(int* error);

  HidDeviceController* controller_;
  const std::uint64_t serial_;
  Platform& platform_;
  GuiThread& gui_;
  PnpInfo pnpInfo_;
  Attributes attributes_;
  std::atomic<bool> pluggedIn_{true};
  std::atomic<bool> claimed_{false};
  std::atomic<bool> inCallback_{false};
  bool openedForReadWrite_ = false;
  std::unique_ptr<DeviceHandle> main_;
  std::unique_ptr<DeviceHold> hold_;
  std::mutex readMutex_;
  std::shared_ptr<ReadChannel> read_;
  std::atomic<bool> readOpen_{false};
  std::u16string productName_;
  std::optional<Caps> descriptor_;
  std::atomic<int> readerSleepTime_{kDefaultReaderSleepTime};
  ReportHandler reportHandler_;
  ReadErrorHandler readErrorHandler_;
  PlugHandler unplugHandler_;
  std::unique_ptr<HidDeviceReadThread> reader_;
  bool stoppingReader_ = false;
  bool closing_ = false;
};

}  // namespace vestrix::hid
