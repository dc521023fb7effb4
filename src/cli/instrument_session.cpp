#include "cli/instrument_session.h"

#include "protocol/message_codes.h"

#include <QEventLoop>

#include <utility>

namespace vestrix::cli {

InstrumentSession::InstrumentSession(hid::Platform& platform, std::string wantedNode)
    : platform_(platform),
      link_(platform, gui_, static_cast<device::DiscoveryHost&>(*this), static_cast<protocol::MessageSink&>(*this)) {
  link_.setWanted(std::move(wantedNode));
  link_.installHandlers(hid::HidDeviceController::EnumerateHandler::bind<&InstrumentSession::enumerate>(this),
                        hid::HidDeviceController::NotifyHandler::bind<&InstrumentSession::deviceChange>(this));
}

InstrumentSession::~InstrumentSession() = default;

InstrumentSession::Link InstrumentSession::discover() {
  // Without HID services no pass ever comes: nothing is there.
  if (platform_.available()) waitFor([this] { return passes_ > 0; }, 10000);
  if (connected()) return Link::Connected;
  for (const device::DeviceLine& line : lines()) {
    if (isCandidate(line)) return Link::NoAccess;
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

void InstrumentSession::deviceChange(hid::HidDeviceController& controller) {
  const bool before = connected();
  link_.deviceChange(controller);
  ++passes_;
  if (passes_ > 1 && before != connected() && onConnection) onConnection(connected());
  check();
}

hid::ReportHandler InstrumentSession::instrumentReportHandler() {
  return hid::ReportHandler::bind<&InstrumentSession::handleReport>(this);
}

void InstrumentSession::handleReport(hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
  link_.dispatch(data, size);
  check();
}

void InstrumentSession::measurementReceived(const protocol::MeasurementSample& sample) {
  ++measurements_;
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

std::optional<protocol::ParameterValue> InstrumentSession::read(const protocol::Parameter& parameter, int timeoutMs) {
  const std::uint8_t code = parameter.readCode;
  replies_.erase(code);
  link_.request(code);
  if (!waitFor([&] { return replies_.count(code) != 0; }, timeoutMs)) return std::nullopt;
  return replies_.at(code);
}

std::optional<protocol::MeasurementSample> InstrumentSession::measure(int timeoutMs) {
  const std::uint64_t before = measurements_;
  link_.poll();
  if (!waitFor([&] { return measurements_ != before; }, timeoutMs)) return std::nullopt;
  return link_.sample();
}

bool InstrumentSession::act(std::uint8_t code, int timeoutMs) {
  const std::uint64_t before = handled_[code];
  link_.request(code);
  return waitFor([&] { return handled_[code] != before; }, timeoutMs);
}

void InstrumentSession::write(const protocol::Command& command) { link_.write(command); }

void InstrumentSession::valueReplied(const protocol::ParameterValue& value) {
  replies_[value.parameter->readCode] = value;
}

measure::ForceUnit InstrumentSession::readUnit(int timeoutMs) {
  if (const protocol::Parameter* p = protocol::FindParameterByReadCode(protocol::kTensUnitRead)) read(*p, timeoutMs);
  return link_.unit();
}

}  // namespace vestrix::cli
