#include "hid/hid_device.h"

#include "hid/controller_error.h"
#include "hid/hid_device_controller.h"
#include "hid/hid_device_read_thread.h"

#include <atomic>
#include <utility>

namespace vestrix::hid {

namespace {

std::atomic<std::uint64_t> nextSerial{1};
std::atomic<int> liveObjects{0};

}  // namespace

HidDevice::LiveCounter::LiveCounter() { ++liveObjects; }
HidDevice::LiveCounter::~LiveCounter() { --liveObjects; }
int HidDevice::liveCount() { return liveObjects.load(); }

HidDevice::HidDevice(PnpInfo pnpInfo, HidDeviceController* controller, Platform& platform, GuiThread& gui)
    : controller_(controller), serial_(nextSerial++), platform_(platform), gui_(gui), pnpInfo_(std::move(pnpInfo)) {
  if (controller_ != nullptr) {
    setReportHandler(controller_->onDeviceData());  // not claimed yet: starts no reader
    unplugHandler_ = controller_->onDeviceUnplug();
  }
  if (!openTwoStep()) throw ControllerError("Device cannot be opened");
  std::optional<Attributes> attributes = main_->attributes();
  closeMain();
  if (!attributes) throw ControllerError("Device cannot be identified");
  attributes_ = *attributes;
}

HidDevice::~HidDevice() {
  stopReader();
  closeHandles();
}

bool HidDevice::openTwoStep() {
  main_ = platform_.open(pnpInfo_, OpenMode::ReadWrite);
  openedForReadWrite_ = main_ != nullptr;
  if (!main_) main_ = platform_.open(pnpInfo_, OpenMode::IdentifyOnly);
  return main_ != nullptr;
}

bool HidDevice::openMain() {
  if (main_) return true;
  if (!accessible()) return false;
  return openTwoStep();
}

void HidDevice::closeMain() { main_.reset(); }

void HidDevice::closeRead() {
  std::shared_ptr<ReadChannel> channel;
  {
    std::lock_guard lock(readMutex_);
    channel = std::move(read_);
    readOpen_ = false;
  }
  // A read in progress on the reader thread ends at once; the reader drops
  // its own reference afterwards.
  if (channel) channel->cancel();
}

void HidDevice::closeHandles() {
  closeMain();
  closeRead();
  hold_.reset();
}

bool HidDevice::holdExclusive(std::string* holder) {
  if (hold_) return true;
  if (!accessible()) return false;
  HoldResult result = platform_.hold(pnpInfo_);
  hold_ = std::move(result.hold);
  if (holder != nullptr) *holder = result.holder;
  return hold_ != nullptr;
}

std::shared_ptr<ReadChannel> HidDevice::acquireReadChannel(int* error) {
  std::lock_guard lock(readMutex_);
  if (!read_) {
    if (!accessible()) {
      *error = platform_.handleGoneError();
      return nullptr;
    }
    read_ = platform_.openRead(pnpInfo_, error);
    readOpen_ = read_ != nullptr;
  }
  return read_;
}

std::u16string HidDevice::ProductName() {
  if (productName_.empty() && openMain()) {
    if (std::optional<std::u16string> name = main_->productString()) {
      std::u16string text = name->substr(0, name->find(u'\0'));
      if (text.size() > kMaxProductNameLength) text.resize(kMaxProductNameLength);
      productName_ = std::move(text);
    }
    closeMain();
  }
  return productName_;
}

Caps HidDevice::GetCaps() {
  if (!descriptor_ && openMain()) {
    descriptor_ = main_->caps();
    closeMain();
  }
  return descriptor_.value_or(Caps{});
}

bool HidDevice::WriteReport(const std::uint8_t* data, std::size_t length) {
  if (!openMain()) return false;
  if (main_->write(data, length)) {
    // A reader that could not start when the handler was set (the
    // capabilities could not be read then) starts with the first write that
    // gets through: an instrument that answers has someone to hear it.
    tryStartReader();
    return true;
  }
  // A failed write closes the handle, so the next write opens it again: a
  // handle that a passing refusal left open for identification only would
  // otherwise fail every write until the device is plugged in again.
  closeMain();
  return false;
}

void HidDevice::setReportHandler(ReportHandler handler) {
  if (!handler) stopReader();
  reportHandler_ = std::move(handler);
  tryStartReader();
}

void HidDevice::tryStartReader() {
  if (!reportHandler_ || !pluggedIn_ || !claimed_ || !openedForReadWrite_ || reader_) return;
  // The reader sizes its buffer from the descriptor fetched here on the GUI
  // thread; without input reports there is nothing to read, and no reader
  // ever touches the main handle.
  const std::uint16_t inputLength = GetCaps().inputReportByteLength;
  if (inputLength == 0 || !openedForReadWrite_) return;
  reader_ = std::make_unique<HidDeviceReadThread>(*this, inputLength, gui_);
  reader_->start();
}

void HidDevice::stopReader() {
  // A stop further up the stack finishes the job; its wait runs handlers
  // that may ask again.
  if (!reader_ || stoppingReader_) return;
  if (reader_->inHandover()) {
    // Asked from inside the reader's own hand-over: the reader waits for
    // us, so waiting for it would never end. It ends once we return.
    closeRead();
    HidDeviceReadThread::retire(std::move(reader_));
    return;
  }
  stoppingReader_ = true;
  reader_->requestStop();
  closeRead();
  reader_->waitForEnd();
  reader_.reset();
  stoppingReader_ = false;
}

void HidDevice::setReaderSleepTime(int milliseconds) {
  if (milliseconds >= kMinReaderSleepTime && milliseconds <= kMaxReaderSleepTime) {
    readerSleepTime_ = milliseconds;
  }
}

void HidDevice::unplug() {
  // Not accessible first, so that the reader cannot open a channel again
  // between the close and the flag.
  pluggedIn_ = false;
  closeHandles();
  const PlugHandler handler = std::exchange(unplugHandler_, {});
  if (handler) handler(*this);
}

void HidDevice::close() {
  closing_ = true;
  setReportHandler({});
  unplugHandler_ = {};
  closeHandles();
  descriptor_.reset();
}

}  // namespace vestrix::hid
