#include "console/instrument_session.h"

#include "device/command_sender.h"
#include "protocol/message_codes.h"

#include <QEventLoop>

#include <utility>

namespace vestrix::console {

InstrumentSession::InstrumentSession(hid::Platform& platform, std::string wantedNode) : platform_(platform) {
  clock_.start();
  controller_ = std::make_unique<hid::HidDeviceController>(platform_, gui_);
  discovery_ = std::make_unique<device::DeviceDiscovery>(*controller_, static_cast<device::DiscoveryHost&>(*this));
  discovery_->setWanted(std::move(wantedNode));
  // The first pass is the controller's start-up notification, as in the window.
  controller_->setWindowBeingBuilt(true);
  controller_->setOnEnumerate(hid::HidDeviceController::EnumerateHandler::bind<&InstrumentSession::enumerate>(this));
  controller_->setOnDeviceChange(hid::HidDeviceController::NotifyHandler::bind<&InstrumentSession::deviceChange>(this));
  controller_->setWindowBeingBuilt(false);
  pollTimer_.setTimerType(Qt::PreciseTimer);
  pollTimer_.setInterval(kPollIntervalMs);
  QObject::connect(&pollTimer_, &QTimer::timeout, [this] { poll(); });
}

InstrumentSession::~InstrumentSession() {
  pollTimer_.stop();
  // Readers stop before what their reports reach goes away.
  controller_.reset();
}

InstrumentSession::Link InstrumentSession::discover() {
  // Without HID services no pass ever comes: nothing is there.
  if (platform_.available()) waitFor([this] { return passes_ > 0; }, 10000);
  if (connected_) return Link::Connected;
  for (const device::DeviceLine& line : lines()) {
    if (discovery_->isCandidate(line)) return Link::NoAccess;
  }
  return Link::NoInstrument;
}

bool InstrumentSession::awaitReader(int timeoutMs) {
  const auto open = [this] { return instrument() != nullptr && instrument()->readChannelOpen(); };
  // The reader thread tells nobody: looked at every few milliseconds.
  QTimer look;
  look.setInterval(2);
  QObject::connect(&look, &QTimer::timeout, [this] { check(); });
  look.start();
  return waitFor(open, timeoutMs);
}

void InstrumentSession::deviceChange(hid::HidDeviceController&) {
  const bool before = connected_;
  discovery_->DeviceChange();
  ++passes_;
  if (passes_ > 1 && before != connected_ && onConnection) onConnection(connected_);
  check();
}

void InstrumentSession::setConnected(bool connected) {
  connected_ = connected;
  connected ? unit_.connectionStarted() : unit_.connectionEnded();
  if (connected && polling_) {
    pollTimer_.start();
  } else {
    pollTimer_.stop();
  }
}

hid::ReportHandler InstrumentSession::instrumentReportHandler() {
  return hid::ReportHandler::bind<&InstrumentSession::handleReport>(this);
}

void InstrumentSession::handleReport(hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
  protocol::DispatchMessage(data, size, *this, sample_, QLatin1Char('.'));
  check();
}

void InstrumentSession::measurementReceived(const protocol::MeasurementSample& sample) {
  ++measurements_;
  if (unit_.askNow(clock_.elapsed())) {
    const std::uint8_t code = protocol::kTensUnitRead;
    send(&code, protocol::kRequestLength);
  }
  if (onMeasurement) onMeasurement(sample);
}

void InstrumentSession::check() {
  if (check_) check_();
}

bool InstrumentSession::waitFor(const std::function<bool()>& done, int timeoutMs) {
  if (done()) return true;
  if (interrupted_) return false;
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  if (timeoutMs >= 0) deadline.start(timeoutMs);
  std::function<void()> outer = std::exchange(check_, [&] {
    if (interrupted_ || done()) loop.quit();
  });
  loop.exec();
  check_ = std::move(outer);
  return done();
}

void InstrumentSession::interrupt() {
  interrupted_ = true;
  check();
}

void InstrumentSession::send(const std::uint8_t* message, std::uint32_t length) {
  if (!connected_) return;
  device::SendCommand(instrument(), message, length);
}

std::optional<protocol::ParameterValue> InstrumentSession::read(const protocol::Parameter& parameter, int timeoutMs) {
  const std::uint8_t code = parameter.readCode;
  replies_.erase(code);
  send(&code, protocol::kRequestLength);
  if (!waitFor([&] { return replies_.count(code) != 0; }, timeoutMs)) return std::nullopt;
  return replies_.at(code);
}

std::optional<protocol::MeasurementSample> InstrumentSession::measure(int timeoutMs) {
  const std::uint64_t before = measurements_;
  poll();
  if (!waitFor([&] { return measurements_ != before; }, timeoutMs)) return std::nullopt;
  return sample_;
}

bool InstrumentSession::act(std::uint8_t code, int timeoutMs) {
  const std::uint64_t before = handled_[code];
  send(&code, protocol::kRequestLength);
  return waitFor([&] { return handled_[code] != before; }, timeoutMs);
}

void InstrumentSession::write(const protocol::Command& command) {
  if (command.bytes[0] == (protocol::kTensUnitRead | protocol::kWriteFlag)) unit_.unitWritten();
  send(command.bytes.data(), command.length);
}

void InstrumentSession::valueReplied(const protocol::ParameterValue& value) {
  replies_[value.parameter->readCode] = value;
  if (value.parameter->readCode == protocol::kTensUnitRead) unit_.replied(value.position(), clock_.elapsed());
}

measure::ForceUnit InstrumentSession::readUnit(int timeoutMs) {
  if (const protocol::Parameter* p = protocol::FindParameterByReadCode(protocol::kTensUnitRead)) read(*p, timeoutMs);
  return unit_.unit();
}

void InstrumentSession::startPolling() {
  polling_ = true;
  if (connected_) {
    poll();  // the first request now, not a period later
    pollTimer_.start();
  }
}

void InstrumentSession::stopPolling() {
  polling_ = false;
  pollTimer_.stop();
}

void InstrumentSession::poll() {
  const std::uint8_t code = protocol::kReadMeasurement;
  send(&code, protocol::kRequestLength);
}

}  // namespace vestrix::console
