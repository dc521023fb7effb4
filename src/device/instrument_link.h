#pragma once

#include "device/device_discovery.h"
#include "hid/gui_thread.h"
#include "hid/hid_device_controller.h"
#include "hid/platform.h"
#include "measure/unit_inquiry.h"
#include "protocol/command.h"
#include "protocol/measurement_sample.h"
#include "protocol/report_dispatcher.h"

#include <QChar>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vestrix::device {

// The program's link to its instrument, the same for the window and for
// vestrix-cli: the device controller, discovery, the measurement poll and
// the dispatch of the instrument's messages, with the unit of its
// strain-gauge input kept for the connection. What the program shows goes
// to its host (discovery) and its sink (messages); the link sits between
// them and the instrument. Everything runs on the thread of the event loop.
class InstrumentLink : private DiscoveryHost, private protocol::MessageSink {
 public:
  // The instrument is asked for a measurement this often while connected.
  static constexpr int kPollIntervalMs = 15;
  // A held instrument (another program has it) is asked again this often.
  static constexpr int kHeldRetryMs = 1000;

  // The controller posts its start-up pass, which runs once the event loop
  // does. host and sink must outlive the link.
  InstrumentLink(hid::Platform& platform, hid::GuiThread& gui, DiscoveryHost& host, protocol::MessageSink& sink);
  ~InstrumentLink() override;
  // Every reader stops and every device object goes; the link sends
  // nothing more. Readers stop before what their reports reach goes away:
  // an owner whose handler calls into the link shuts it down first.
  void shutDown();

  InstrumentLink(const InstrumentLink&) = delete;
  InstrumentLink& operator=(const InstrumentLink&) = delete;

  // The controller's events reach the link's own handlers; a program whose
  // handlers have names of their own installs those, and they call
  // enumerate and deviceChange.
  void installHandlers(hid::HidDeviceController::EnumerateHandler onEnumerate,
                       hid::HidDeviceController::NotifyHandler onDeviceChange);
  bool enumerate(hid::HidDevice& device, int index) { return discovery_.Enumerate(device, index); }
  void deviceChange(hid::HidDeviceController&) { discovery_.DeviceChange(); }

  // Only the instrument at this device path (empty: any).
  void setWanted(std::string devicePath) { discovery_.setWanted(std::move(devicePath)); }
  // Polls whenever connected (the window), or only from startPolling on.
  void startPolling();
  void stopPolling();
  // Keeps asking for an instrument another program holds (the window);
  // without it the refusal stands until the devices change.
  void setRetryHeld(bool retry) { retryHeld_ = retry; }
  // How replies' numbers are written for the configuration page.
  void setDecimalSeparator(QChar separator) { separator_ = separator; }
  // The clock the unit's questions are timed by (tests put in their own).
  void setClock(std::function<std::int64_t()> clockMs) { clockMs_ = std::move(clockMs); }
  // The road of every request and command to the instrument; by default
  // straight to the instrument picked. The window's goes through its buffer.
  void setTransmitter(std::function<void(const std::uint8_t*, std::uint32_t)> transmit) {
    transmit_ = std::move(transmit);
  }
  // What a poll tick calls; by default poll(). The window's timer handler.
  void setPollTickHandler(std::function<void()> tick) { pollTick_ = std::move(tick); }

  // A request (one code) and a command, sent only while connected.
  void request(std::uint8_t code);
  void write(const protocol::Command& command);
  void poll() { request(protocol::kReadMeasurement); }
  // Writes the first n bytes as one report to the instrument picked.
  void send(const std::uint8_t* message, std::uint32_t n);
  // One message of the instrument, decoded and handed on.
  void dispatch(const std::uint8_t* data, std::size_t size) {
    protocol::DispatchMessage(data, size, *this, sample_, separator_);
  }

  bool connected() const { return connected_; }
  hid::HidDevice* instrument() const { return discovery_.activeDevice(); }
  hid::HidDeviceController& controller() { return *controller_; }
  const DeviceDiscovery& discovery() const { return discovery_; }
  QTimer& pollTimer() { return pollTimer_; }
  const protocol::MeasurementSample& sample() const { return sample_; }
  // Unknown until the instrument says it.
  measure::ForceUnit unit() const { return unit_.unit(); }

 private:
  // Discovery, passed on to the host; connection starts and stops the poll.
  QString lookupMessage(const QString& identifier) const override { return host_.lookupMessage(identifier); }
  void setStatusText(int panel, const QString& text, const QStringList& paths) override {
    host_.setStatusText(panel, text, paths);
  }
  void setConnected(bool connected) override;
  hid::ReportHandler instrumentReportHandler() override { return host_.instrumentReportHandler(); }
  void deviceListChanged(const std::vector<DeviceLine>& lines) override { host_.deviceListChanged(lines); }
  void instrumentRefused(const Refusal& refusal) override;
  // Messages, passed on to the sink; the answer to the link's own question
  // for the unit is kept off the sink's pages and status.
  void showStatus(const QString& identifier) override;
  void showValue(const protocol::Parameter& parameter, const QString& text) override;
  void selectChoice(const protocol::Parameter& parameter, int position) override;
  void measurementReceived(const protocol::MeasurementSample& sample) override;
  void valueReplied(const protocol::ParameterValue& value) override;
  void handled(std::uint8_t code) override;
  void retryHeld();

  DiscoveryHost& host_;
  protocol::MessageSink& sink_;
  std::unique_ptr<hid::HidDeviceController> controller_;
  DeviceDiscovery discovery_;
  QTimer pollTimer_;
  QTimer heldRetry_;
  bool polling_ = false;
  bool retryHeld_ = false;
  bool connected_ = false;
  QChar separator_{QLatin1Char('.')};
  protocol::MeasurementSample sample_;
  measure::UnitInquiry unit_;
  bool ownUnitReply_ = false;
  QElapsedTimer elapsed_;
  std::function<std::int64_t()> clockMs_;
  std::function<void(const std::uint8_t*, std::uint32_t)> transmit_;
  std::function<void()> pollTick_;
};

}  // namespace vestrix::device
