#pragma once

#include "app/error_box.h"
#include "app/program_files.h"
#include "app/status_panels.h"
#include "app/window_settings.h"
#include "chart/charts_page.h"
#include "device/device_discovery.h"
#include "device/instrument_link.h"
#include "hid/hid_device_controller.h"
#include "hid/platform.h"
#include "i18n/translator.h"
#include "loop/qt_gui_thread.h"
#include "protocol/command.h"
#include "protocol/measurement_sample.h"
#include "protocol/report_dispatcher.h"
#include "record/ui/recording_control.h"
#include "ui/window_page.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QComboBox;
class QTabWidget;
class QTimer;

namespace vestrix::config {
class ConfigPage;
}  // namespace vestrix::config

namespace vestrix::ui {
class NumberEdit;
}

namespace vestrix::i18n {
class LanguageCombo;
}

namespace vestrix::measure {
class DisplayPage;
}

namespace vestrix::record {
class AcquisitionPage;
}

namespace vestrix::app {

class ProgramSettingsPage;

// The one main window of the program: its frame, its pages and the device
// link, wired together. The pages do their own work; the handlers named
// after the window's controls call into them.
class TFMain : public QWidget,
               private device::DiscoveryHost,
               private protocol::MessageSink,
               private protocol::CommandPort,
               private record::RecordingHost,
               private chart::ChartsHost {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 633;
  static constexpr int kClientHeight = 622;
  static inline const QString kVersionSuffix = QStringLiteral(" - 1.10");

  // The window talks to HID devices through the given platform, which must
  // outlive it. configFilePath: where the settings file is; empty for the
  // program's own place (tests and probes put theirs in a folder of their
  // own).
  explicit TFMain(hid::Platform& platform, QString configFilePath = {}, ProgramFiles files = {});
  ~TFMain() override;

  // The decimal separator of numbers (default: the regional settings'), in
  // the file, on the pages and in the acquisition table alike.
  void setDecimalSeparator(QChar separator);
  QChar separator() const { return decimalSeparator_; }

  // The instrument's device object, or none.
  hid::HidDevice* ActiveDevice() const { return link_->instrument(); }
  const protocol::MeasurementSample& latestSample() const { return link_->sample(); }
  const std::vector<device::DeviceLine>& deviceLines() const { return link_->discovery().lines(); }
  const record::RecordingState& recording() const { return recording_->state(); }
  // The unit of the connected instrument's strain-gauge input.
  measure::ForceUnit unit() const { return link_->unit(); }
  const ProgramFiles& files() const { return files_; }
  // The pages, in their order.
  std::array<ui::WindowPage*, 5> pages() const;

  // Status message text of an identifier in the active language.
  QString LookupMessage(const QString& identifier) const;
  // A note that follows the caption in every language (the demo says that
  // its instrument is simulated).
  void setCaptionNote(const QString& note);

  // Runs once the window is closed, after the settings are saved (tests).
  std::function<void()> formCloseObserver;
  // What the recorder reads the time from: the PC's local clock, and a
  // clock that never goes back for its retries (tests put in their own).
  std::function<record::ClockReading()> LocalClock;
  std::function<std::int64_t()> MonotonicClockMs;
  // The save dialog of the record file: the chosen path, empty on cancel
  // (tests put in their own).
  std::function<QString()> SaveDialog;

  // The program's own fields.
  std::uint8_t DeviceConnected = 0;
  std::array<std::uint8_t, 32> CommandBuffer{};
  std::uint8_t PlayStop = 0;
  QString ConfigFilePath;

  // Handlers named after the controls.
  void BitBtn1Click();
  void BitBtn4Click();
  void SpeedButton3Click(const protocol::Parameter& parameter);  // every read button
  void SpeedButton5Click();                                      // writes TensRange
  void BitBtn3Click();                                           // taring
  void BitBtn5Click();                                           // input calibration
  void BoxTensConstClick(ui::NumberEdit* sender);                // a click on any edit box of the page
  void WriteFloatParameter(ui::NumberEdit* box, std::uint8_t writeCode, float upper, float lower);
  void WriteIndexParameter(QComboBox* list, std::uint8_t writeCode, int offset);
  void DataTimerTimer();
  void SendCommand(const std::uint8_t* source, std::uint32_t n);
  void HandleDeviceReport(hid::HidDevice& device, std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size);
  bool HidDeviceController1Enumerate(hid::HidDevice& device, int index);
  void HidDeviceController1DeviceChange(hid::HidDeviceController& sender);
  void LangCombo1Change(int index);
  void RecordingStep();
  void Checkbox_AcquistionClick();
  void Button_SaveFilePathClick();

  // The window's controls and components, by the names the translation
  // table and the tests find them by. The controller and the measurement
  // timer are the device link's, which the window holds.
  hid::HidDeviceController* HidDeviceController1 = nullptr;
  QTimer* DataTimer = nullptr;
  QTabWidget* PageControl1 = nullptr;
  measure::DisplayPage* TabSheet1 = nullptr;
  chart::ChartsPage* TabSheet2 = nullptr;  // shown only when asked for
  record::AcquisitionPage* TabSheet3 = nullptr;
  config::ConfigPage* TabSheet4 = nullptr;
  ProgramSettingsPage* TabSheet5 = nullptr;
  StatusPanels* StatusBar = nullptr;
  i18n::LanguageCombo* LangCombo1 = nullptr;
  i18n::Translator* Translator1 = nullptr;

 public:
  // The end of the session (log-off, shutdown): Windows ends the program
  // without closing its window, so what closing writes is written here
  // (again, should the log-off be cancelled and come later); after the
  // window has closed it does nothing.
  void SessionEnding();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildFrame();
  void wirePages();
  void FormCreate();
  void FormClose();
  bool closed_ = false;
  // The Charts page in its place in the page order, or hidden and out of
  // reach as the window always had it.
  void showCharts(bool shown);

  // Discovery.
  QString lookupMessage(const QString& identifier) const override { return LookupMessage(identifier); }
  void setStatusText(int panel, const QString& text, const QStringList& paths = {}) override {
    StatusBar->setPanelText(panel, text, paths);
  }
  void setConnected(bool connected) override;
  hid::ReportHandler instrumentReportHandler() override {
    return hid::ReportHandler::bind<&TFMain::HandleDeviceReport>(this);
  }
  void deviceListChanged(const std::vector<device::DeviceLine>& lines) override;
  void instrumentRefused(const device::Refusal& refusal) override;
  // Replies of the instrument.
  void showStatus(const QString& identifier) override;
  void showValue(const protocol::Parameter& parameter, const QString& text) override;
  void selectChoice(const protocol::Parameter& parameter, int position) override;
  void measurementReceived(const protocol::MeasurementSample& sample) override;
  void valueReplied(const protocol::ParameterValue& value) override;
  // The road to the instrument, through CommandBuffer.
  void sendRequest(std::uint8_t code) override;
  void sendCommand(const protocol::Command& command) override;
  // The recording's needs.
  record::ClockReading localClock() override { return LocalClock(); }
  std::int64_t monotonicMs() override { return MonotonicClockMs(); }
  QString message(const QString& identifier) override { return LookupMessage(identifier); }
  void say(const QString& text, const QStringList& paths) override { setStatusText(0, text, paths); }
  QString chooseRecordFile() override { return SaveDialog(); }
  void rememberRecordFile(const QString& path) override { RememberRecordFile(ConfigFilePath, path); }
  bool measuring() override;
  QChar decimalSeparator() override { return decimalSeparator_; }
  // The Charts page's needs (message and say as above).
  std::int64_t recordPeriodMs() override;
  QString recordFilePath() override;

  loop::QtGuiThread gui_{ReportUncaught};
  QChar decimalSeparator_;
  QString configFileOverride_;
  ProgramFiles files_;
  QString captionNote_;
  std::unique_ptr<i18n::Translator> translator_;
  // The controller, discovery, the poll and the dispatch, with the unit.
  std::unique_ptr<device::InstrumentLink> link_;
  record::RecordingControl* recording_ = nullptr;
};

// The program's one main window while it exists.
extern TFMain* FMain;

}  // namespace vestrix::app
