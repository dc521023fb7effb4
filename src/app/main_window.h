#pragma once

#include "app/program_files.h"
#include "app/qt_gui_thread.h"
#include "device/device_discovery.h"
#include "hid/hid_device_controller.h"
#include "hid/platform.h"
#include "i18n/translation_table.h"
#include "i18n/translator.h"
#include "protocol/measurement_sample.h"
#include "protocol/report_dispatcher.h"
#include "record/recorder.h"

#include <QDateTime>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QTabWidget;
class QTimer;

namespace vestrix::app {

class StatusPanels;
}  // namespace vestrix::app

namespace vestrix::measure {
class DisplayPage;
}

namespace vestrix::settings {
class IniFile;
}

namespace vestrix::i18n {
class LanguageCombo;
}

namespace vestrix::record {
class AcquisitionPage;
class RecordingOptions;
}  // namespace vestrix::record

namespace vestrix::config {
class ConfigPage;
class ParameterEdit;
}  // namespace vestrix::config

namespace vestrix::app {

// The one main window of the program.
class TFMain : public QWidget, private device::DiscoveryHost, private protocol::MessageSink {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 633;
  static constexpr int kClientHeight = 622;
  static inline const QString kVersionSuffix = QStringLiteral(" - 1.10");

  // The window talks to HID devices through the given platform, which must
  // outlive it.
  // configFilePath: where the settings file is; empty for the program's
  // own place (tests and probes put theirs in a folder of their own).
  explicit TFMain(hid::Platform& platform, QString configFilePath = {}, ProgramFiles files = {});
  ~TFMain() override;

  // The decimal separator of numbers (default: the regional settings'), in
  // the file, on the pages and in the acquisition table alike.
  void setDecimalSeparator(QChar separator);

  // The instrument's device object, or none.
  hid::HidDevice* ActiveDevice() const { return discovery_->activeDevice(); }
  const protocol::MeasurementSample& latestSample() const { return sample_; }
  const std::vector<device::DeviceLine>& deviceLines() const { return discovery_->lines(); }

  // Status message text of an identifier in the active language.
  QString LookupMessage(const QString& identifier) const;
  int activeLanguage() const { return Translator1->ActiveLanguage(); }

  // Runs once the window is closed, after the settings are saved (tests).
  std::function<void()> formCloseObserver;

  // What the recorder reads the time from: the PC's local clock, and a
  // clock that never goes back for its retries (tests put in their own).
  std::function<record::ClockReading()> LocalClock;
  std::function<std::int64_t()> MonotonicClockMs;
  // The save dialog of the record file: the chosen path, empty on cancel
  // (tests put in their own).
  std::function<QString()> SaveDialog;

  // Program fields.
  std::uint8_t DeviceConnected = 0;
  std::array<std::uint8_t, 32> CommandBuffer{};
  std::uint8_t PlayStop = 0;
  QString ConfigFilePath;

  void BitBtn1Click();
  void BitBtn4Click();
  // Device configuration page. Every read button shares one handler; the
  // parameter of the button pressed gives the code (SpeedButton3 reads
  // TensConst).
  void SpeedButton3Click(const protocol::Parameter& parameter);
  void SpeedButton5Click();  // writes TensRange
  void BitBtn3Click();       // taring
  void BitBtn5Click();       // input calibration
  // Shared by every edit box of the page: a mouse click on it.
  void BoxTensConstClick(config::ParameterEdit* sender);
  void WriteFloatParameter(config::ParameterEdit* box, std::uint8_t writeCode, float upper, float lower);
  void WriteIndexParameter(QComboBox* list, std::uint8_t writeCode, int offset);
  void DataTimerTimer();
  void SendCommand(const std::uint8_t* source, std::uint32_t n);
  void HandleDeviceReport(hid::HidDevice& device, std::uint8_t reportId, const std::uint8_t* data,
                          std::uint16_t size);
  bool HidDeviceController1Enumerate(hid::HidDevice& device, int index);
  void HidDeviceController1DeviceChange(hid::HidDeviceController& sender);
  // A note that follows the caption in every language (the demo says that
  // its instrument is simulated).
  void setCaptionNote(const QString& note);
  // The user picked an entry of the language selector.
  void LangCombo1Change(int index);
  // One step of the recorder per measurement message.
  void RecordingStep();
  // Every change of the run's check box, by the user or the program.
  void Checkbox_AcquistionClick();
  void Button_SaveFilePathClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildFrame();
  void buildProgramSettingsPage();
  void buildConfigPage();
  void wireRecording();
  // The recording status: active while a run is on, the instrument
  // connected and the records reaching the file.
  void refreshAcquisitionStatus();
  // Read and action buttons: one code, only while connected.
  void sendRequest(std::uint8_t code);
  void FormCreate();
  void FormClose();
  // The settings file into the controls, and back.
  void loadSettings(const settings::IniFile& ini);
  void saveSettings(settings::IniFile& ini);

  // Discovery.
  QString lookupMessage(const QString& identifier) const override { return LookupMessage(identifier); }
  void setStatusText(int panel, const QString& text, const QStringList& paths = {}) override;
  void setConnected(bool connected) override;
  hid::ReportHandler instrumentReportHandler() override;
  void deviceListChanged(const std::vector<device::DeviceLine>& lines) override;
  // Replies of the instrument.
  void showStatus(const QString& identifier) override;
  void showValue(const protocol::Parameter& parameter, const QString& text) override;
  void selectChoice(const protocol::Parameter& parameter, int position) override;
  void measurementReceived(const protocol::MeasurementSample& sample) override;

  QtGuiThread gui_;
  const i18n::TranslationTable& translationTable_;
  QChar decimalSeparator_;
  QString configFileOverride_;
  ProgramFiles files_;
  QString captionNote_;
  std::unique_ptr<i18n::Translator> translator_;
  protocol::MeasurementSample sample_;
  std::unique_ptr<hid::HidDeviceController> controller_;
  std::unique_ptr<device::DeviceDiscovery> discovery_;

 public:
  record::RecordingState Recording;

 public:
  // Controls, named as in the window definition.
  hid::HidDeviceController* HidDeviceController1 = nullptr;
  QTimer* DataTimer = nullptr;
  measure::DisplayPage* Display = nullptr;
  config::ConfigPage* Config = nullptr;
  record::AcquisitionPage* Acquisition = nullptr;
  record::RecordingOptions* RecordOptions = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QWidget* TabSheet3 = nullptr;
  QWidget* TabSheet4 = nullptr;
  QWidget* TabSheet5 = nullptr;
  StatusPanels* StatusBar = nullptr;
  QLabel* Label46 = nullptr;
  i18n::LanguageCombo* LangCombo1 = nullptr;
  i18n::Translator* Translator1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QLabel* Label21 = nullptr;
  QComboBox* DataTime = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QGroupBox* GroupBox12 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QLabel* Label17 = nullptr;
};

// The program's one main window while it exists.
extern TFMain* FMain;

}  // namespace vestrix::app
