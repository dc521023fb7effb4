#include "device/instrument_link.h"

#include "device/command_sender.h"
#include "protocol/message_codes.h"

#include <utility>

namespace vestrix::device {

InstrumentLink::InstrumentLink(hid::Platform& platform, hid::GuiThread& gui, DiscoveryHost& host,
                               protocol::MessageSink& sink)
    : host_(host),
      sink_(sink),
      controller_(std::make_unique<hid::HidDeviceController>(platform, gui)),
      discovery_(*controller_, static_cast<DiscoveryHost&>(*this)) {
  elapsed_.start();
  clockMs_ = [this] { return elapsed_.elapsed(); };
  transmit_ = [this](const std::uint8_t* message, std::uint32_t n) { SendCommand(instrument(), message, n); };
  installHandlers(hid::HidDeviceController::EnumerateHandler::bind<&InstrumentLink::enumerate>(this),
                  hid::HidDeviceController::NotifyHandler::bind<&InstrumentLink::deviceChange>(this));
  pollTimer_.setTimerType(Qt::PreciseTimer);
  pollTimer_.setInterval(kPollIntervalMs);
  QObject::connect(&pollTimer_, &QTimer::timeout, [this] { pollTick_ ? pollTick_() : poll(); });
  heldRetry_.setInterval(kHeldRetryMs);
  QObject::connect(&heldRetry_, &QTimer::timeout, [this] { retryHeld(); });
}

InstrumentLink::~InstrumentLink() { shutDown(); }

void InstrumentLink::shutDown() {
  // Stopping readers delivers what they still hold, through the host's
  // handler into this link: it stays whole meanwhile, and sends nothing.
  connected_ = false;
  pollTimer_.stop();
  heldRetry_.stop();
  controller_.reset();
}

void InstrumentLink::installHandlers(hid::HidDeviceController::EnumerateHandler onEnumerate,
                                     hid::HidDeviceController::NotifyHandler onDeviceChange) {
  // The first pass is the controller's start-up notification, not this.
  controller_->setWindowBeingBuilt(true);
  controller_->setOnEnumerate(std::move(onEnumerate));
  controller_->setOnDeviceChange(std::move(onDeviceChange));
  controller_->setWindowBeingBuilt(false);
}

void InstrumentLink::startPolling() {
  polling_ = true;
  if (connected_ && !pollTimer_.isActive()) {
    poll();  // the first request now, not a period later
    pollTimer_.start();
  }
}

void InstrumentLink::stopPolling() {
  polling_ = false;
  pollTimer_.stop();
}

void InstrumentLink::send(const std::uint8_t* message, std::uint32_t n) {
  if (controller_) transmit_(message, n);
}

void InstrumentLink::request(std::uint8_t code) {
  if (!connected_) return;
  send(&code, protocol::kRequestLength);
}

void InstrumentLink::write(const protocol::Command& command) {
  // An instrument held by another program, or not open, is not written to.
  if (!connected_) return;
  if (command.bytes[0] == (protocol::kTensUnitRead | protocol::kWriteFlag)) unit_.unitWritten();
  send(command.bytes.data(), command.length);
}

void InstrumentLink::setConnected(bool connected) {
  connected_ = connected;
  connected ? unit_.connectionStarted() : unit_.connectionEnded();
  if (connected) heldRetry_.stop();
  connected&& polling_ ? pollTimer_.start() : pollTimer_.stop();
  host_.setConnected(connected);
}

void InstrumentLink::instrumentRefused(const Refusal& refusal) {
  if (retryHeld_ && refusal.kind == Refusal::Kind::InUse && !heldRetry_.isActive()) heldRetry_.start();
  host_.instrumentRefused(refusal);
}

void InstrumentLink::retryHeld() {
  const std::optional<Refusal>& refusal = discovery_.refusal();
  if (!refusal || refusal->kind != Refusal::Kind::InUse || discovery_.retryHeldInstrument()) heldRetry_.stop();
}

void InstrumentLink::showStatus(const QString& identifier) {
  if (!ownUnitReply_) sink_.showStatus(identifier);
}

void InstrumentLink::showValue(const protocol::Parameter& parameter, const QString& text) {
  sink_.showValue(parameter, text);
}

void InstrumentLink::selectChoice(const protocol::Parameter& parameter, int position) {
  if (!ownUnitReply_) sink_.selectChoice(parameter, position);
}

void InstrumentLink::measurementReceived(const protocol::MeasurementSample& sample) {
  if (unit_.askNow(clockMs_())) request(protocol::kTensUnitRead);
  sink_.measurementReceived(sample);
}

void InstrumentLink::valueReplied(const protocol::ParameterValue& value) {
  if (value.parameter->readCode == protocol::kTensUnitRead) ownUnitReply_ = unit_.replied(value.position(), clockMs_());
  sink_.valueReplied(value);
}

void InstrumentLink::handled(std::uint8_t code) {
  ownUnitReply_ = false;
  sink_.handled(code);
}

}  // namespace vestrix::device
