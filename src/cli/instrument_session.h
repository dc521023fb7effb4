#pragma once

#include "device/device_discovery.h"
#include "device/instrument_link.h"
#include "hid/hid_device_controller.h"
#include "hid/platform.h"
#include "loop/qt_gui_thread.h"
#include "protocol/command.h"
#include "protocol/measurement_sample.h"
#include "protocol/parameter_reply.h"
#include "protocol/report_dispatcher.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vestrix::cli {

// The instrument as a program without a window talks to it, through the
// window's device link: found and picked as the window does it (its
// product string; a device node when given), polled while connected once
// asked to, asked for values and actions with a time limit. Everything
// runs on the thread of the Qt event loop; the waits run that loop, so
// reports keep coming meanwhile.
class InstrumentSession : private device::DiscoveryHost, private protocol::MessageSink {
 public:
  static constexpr int kReplyTimeoutMs = 1000;

  // What the first look at the devices found.
  enum class Link { Connected, NoInstrument, NoAccess };

  // wantedNode: the device path of the one instrument to use; empty: any.
  InstrumentSession(hid::Platform& platform, std::string wantedNode = {});
  ~InstrumentSession() override;

  InstrumentSession(const InstrumentSession&) = delete;
  InstrumentSession& operator=(const InstrumentSession&) = delete;

  // Returns once the devices have been looked at.
  Link discover();
  // Whether the instrument's reports can be heard, within the time: they
  // are read on a thread of their own that opens the device by itself, and
  // an answer sent before that reaches nobody.
  bool awaitReader(int timeoutMs = kReplyTimeoutMs);
  bool connected() const { return link_.connected(); }
  // The instrument picked (connected or not), or none.
  hid::HidDevice* instrument() const { return link_.instrument(); }
  const std::vector<device::DeviceLine>& lines() const { return link_.discovery().lines(); }
  bool isCandidate(const device::DeviceLine& line) const { return link_.discovery().isCandidate(line); }
  // Why the instrument picked is not used, if it is not.
  const std::optional<device::Refusal>& refusal() const { return link_.discovery().refusal(); }

  // Runs the event loop until done() holds, the time is up (a negative
  // time: no limit) or interrupt() was called; whether done() holds.
  bool waitFor(const std::function<bool()>& done, int timeoutMs);
  // Ends the wait in progress and every later one (a signal came).
  void interrupt();
  bool interrupted() const { return interrupted_; }

  // A parameter's value, or nothing when no reply came in time.
  std::optional<protocol::ParameterValue> read(const protocol::Parameter& parameter, int timeoutMs = kReplyTimeoutMs);
  // One measurement asked for and waited for, or nothing when none came in time.
  std::optional<protocol::MeasurementSample> measure(int timeoutMs = kReplyTimeoutMs);
  // An action (taring...): whether the instrument acknowledged it in time.
  bool act(std::uint8_t code, int timeoutMs = kReplyTimeoutMs);
  // A write command; the instrument does not answer it.
  void write(const protocol::Command& command);

  // The unit of the instrument's strain-gauge input: asked for once the
  // instrument is heard, and after TensUnit is written; unknown until said.
  measure::ForceUnit unit() const { return link_.unit(); }
  // Asks for the unit and waits for it, within the time; the unit as known then.
  measure::ForceUnit readUnit(int timeoutMs = kReplyTimeoutMs);

  // Measurement requests at the link's pace while connected, from now on.
  void startPolling() { link_.startPolling(); }
  void stopPolling() { link_.stopPolling(); }
  // Each measurement as it arrives.
  std::function<void(const protocol::MeasurementSample&)> onMeasurement;
  // The instrument came or went after the first look.
  std::function<void(bool connected)> onConnection;
  std::uint64_t measurements() const { return measurements_; }

 private:
  void check();
  void handleReport(hid::HidDevice& device, std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size);
  bool enumerate(hid::HidDevice& device, int index) { return link_.enumerate(device, index); }
  void deviceChange(hid::HidDeviceController&);

  // Discovery, without a window to show it in.
  QString lookupMessage(const QString& identifier) const override { return identifier; }
  void setStatusText(int, const QString&, const QStringList&) override {}
  void setConnected(bool) override {}
  hid::ReportHandler instrumentReportHandler() override;
  void deviceListChanged(const std::vector<device::DeviceLine>&) override {}
  void instrumentRefused(const device::Refusal&) override {}
  // The instrument's messages.
  void showStatus(const QString&) override {}
  void showValue(const protocol::Parameter&, const QString&) override {}
  void selectChoice(const protocol::Parameter&, int) override {}
  void measurementReceived(const protocol::MeasurementSample& sample) override;
  void valueReplied(const protocol::ParameterValue& value) override;
  void handled(std::uint8_t code) override { ++handled_[code]; }

  hid::Platform& platform_;
  loop::QtGuiThread gui_;
  bool interrupted_ = false;
  int passes_ = 0;
  std::uint64_t measurements_ = 0;
  std::map<std::uint8_t, protocol::ParameterValue> replies_;
  std::map<std::uint8_t, std::uint64_t> handled_;
  std::function<void()> check_;  // the wait in progress looks again
  // Last: it goes first, and its readers with it, before what they reach.
  device::InstrumentLink link_;
};

}  // namespace vestrix::cli
