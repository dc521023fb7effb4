#include "app/main_window.h"

#include "app/error_box.h"
#include "app/program_settings_page.h"
#include "app/status_panels.h"
#include "app/window_settings.h"
#include "clock/local_clock.h"
#include "config/ui/config_page.h"
#include "device/access_help.h"
#include "device/command_sender.h"
#include "i18n/language_combo.h"
#include "i18n/lookup_message.h"
#include "i18n/translation_table.h"
#include "measure/ui/display_page.h"
#include "record/ui/acquisition_page.h"
#include "record/ui/recording_group.h"
#include "settings/config_location.h"
#include "settings/ini_file.h"
#include "ui/app_icon.h"
#include "ui/button_tabs.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace vestrix::app {

TFMain* FMain = nullptr;

TFMain::TFMain(hid::Platform& platform, QString configFilePath, ProgramFiles files)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      decimalSeparator_(QLocale::system().decimalPoint().at(0)),
      configFileOverride_(std::move(configFilePath)),
      files_(std::move(files)) {
  LocalClock = clock::LocalClockNow;
  MonotonicClockMs = clock::MonotonicMsNow;
  SaveDialog = [this] {
    return record::AskRecordFile(this, LookupMessage(QStringLiteral("TXT_DIALOG_RECORD_FILE")),
                                 TabSheet5->recordingGroup()->fileEdit()->text());
  };
  FMain = this;
  setObjectName(QStringLiteral("FMain"));
  // The controller posts its start-up pass; it runs once the event loop does.
  link_ = std::make_unique<device::InstrumentLink>(platform, gui_, static_cast<device::DiscoveryHost&>(*this),
                                                   static_cast<protocol::MessageSink&>(*this));
  HidDeviceController1 = &link_->controller();
  DataTimer = &link_->pollTimer();
  DataTimer->setObjectName(QStringLiteral("DataTimer"));
  buildFrame();
  // The window's texts are the English ones: nothing is applied yet.
  translator_ = std::make_unique<i18n::Translator>(this, i18n::BuiltinTranslationTable(), QStringLiteral("TFMain"),
                                                   i18n::kEnglish);
  Translator1 = translator_.get();
  wirePages();

  // An error here (a "Language" the table does not have) goes to the error
  // box and ends FormCreate where it stands; the window opens all the same.
  RunGuarded([this] { FormCreate(); });
}

TFMain::~TFMain() {
  // Readers stop before the controls their reports reach go away.
  link_->shutDown();
  if (FMain == this) FMain = nullptr;
}

void TFMain::buildFrame() {
  setWindowTitle(kApplicationTitle);
  setFixedSize(kClientWidth, kClientHeight);
  setWindowIcon(ui::AppIcon());
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  setFont(font);
  setAutoFillBackground(true);

  PageControl1 = ui::Place<QTabWidget>(this, "PageControl1", 8, 8, 623, 592);
  PageControl1->setDocumentMode(true);
  // Built in the window, so that captions size themselves in its font.
  TabSheet1 = new measure::DisplayPage(*this, this);
  TabSheet2 = new chart::ChartsPage(PlayStop, *this, this);
  TabSheet3 = new record::AcquisitionPage(this);
  TabSheet4 = new config::ConfigPage(*this, this);
  TabSheet5 = new ProgramSettingsPage(this);
  PageControl1->addTab(TabSheet1, QStringLiteral("Display"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Charts"));
  PageControl1->addTab(TabSheet3, QStringLiteral("Data acquisition"));
  PageControl1->addTab(TabSheet4, QStringLiteral("Device configuration"));
  PageControl1->addTab(TabSheet5, QStringLiteral("Program settings"));
  showCharts(false);
  ui::DrawTabsAsButtons(PageControl1->tabBar());
  LangCombo1 = TabSheet5->languageSelector();

  StatusBar = new StatusPanels(this);
  StatusBar->setFont(font);  // its own font: the languages give it their own face
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setGeometry(0, kClientHeight - StatusPanels::kHeight, kClientWidth, StatusPanels::kHeight);
}

void TFMain::wirePages() {
  setDecimalSeparator(decimalSeparator_);
  recording_ = new record::RecordingControl(*TabSheet3, *TabSheet5->recordingGroup(), *this, this);
  // The controls reach the handlers named after them, which call into their pages.
  recording_->onRunClicked = [this] { Checkbox_AcquistionClick(); };
  recording_->onFileClicked = [this] { Button_SaveFilePathClick(); };
  TabSheet1->onResetClicked = [this] { BitBtn4Click(); };
  TabSheet4->handlers = {
      .read = [this](const protocol::Parameter& p) { SpeedButton3Click(p); },
      .writeFloat = [this](ui::NumberEdit* box, std::uint8_t code, float upper,
                           float lower) { WriteFloatParameter(box, code, upper, lower); },
      .writeRatedCapacity = [this] { SpeedButton5Click(); },
      .writeList = [this](QComboBox* list, std::uint8_t code, int offset) { WriteIndexParameter(list, code, offset); },
      .tare = [this] { BitBtn3Click(); },
      .calibrateInput = [this] { BitBtn5Click(); },
      .editClicked = [this](ui::NumberEdit* box) { BoxTensConstClick(box); }};
  // The device link's events reach the handlers named after its parts.
  link_->installHandlers(
      hid::HidDeviceController::EnumerateHandler::bind<&TFMain::HidDeviceController1Enumerate>(this),
      hid::HidDeviceController::NotifyHandler::bind<&TFMain::HidDeviceController1DeviceChange>(this));
  link_->setPollTickHandler(Guarded([this] { DataTimerTimer(); }));
  link_->setTransmitter([this](const std::uint8_t* message, std::uint32_t n) {
    const auto count = std::min<std::uint32_t>(n, CommandBuffer.size());
    std::copy_n(message, count, CommandBuffer.begin());
    SendCommand(CommandBuffer.data(), count);
  });
  link_->setClock([this] { return MonotonicClockMs(); });
  link_->setRetryHeld(true);
  link_->startPolling();
  HidDeviceController1->setDevThreadSleepTime(0);
  connect(TabSheet5, &ProgramSettingsPage::languagePicked, this,
          [this](int index) { RunGuarded([&] { LangCombo1Change(index); }); });
  connect(TabSheet5->showChartsBox(), &QCheckBox::toggled, this, [this](bool shown) { showCharts(shown); });
  connect(TabSheet2, &chart::ChartsPage::playStopClicked, this, [this] { BitBtn1Click(); });
  connect(TabSheet2, &chart::ChartsPage::liveRequested, this, [this] {
    if (PlayStop != 0) BitBtn1Click();
  });
  Translator1->onApplied = [this] {
    for (ui::WindowPage* page : pages()) page->languageChanged();
    setCaptionNote(captionNote_);  // a new language's caption comes without it
  };
  TabSheet2->languageChanged();  // its texts from the messages, now they can be looked up
}

std::array<ui::WindowPage*, 5> TFMain::pages() const { return {TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5}; }

void TFMain::setDecimalSeparator(QChar separator) {
  decimalSeparator_ = separator;
  link_->setDecimalSeparator(separator);
  for (ui::WindowPage* page : pages()) page->setDecimalSeparator(separator);
}

void TFMain::showCharts(bool shown) {
  // Hidden, it is disabled too: a disabled tab is passed over by the arrow
  // keys, the wheel and Ctrl+Tab, so nothing reaches it.
  if (!shown && PageControl1->currentWidget() == TabSheet2) PageControl1->setCurrentWidget(TabSheet1);
  // Not fed while hidden: a gap, and a test under way ends there.
  if (!shown) TabSheet2->feedStopped();
  PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), shown);
  PageControl1->setTabEnabled(PageControl1->indexOf(TabSheet2), shown);
}

QString TFMain::LookupMessage(const QString& identifier) const {
  return i18n::LookupMessage(i18n::BuiltinTranslationTable(), Translator1->ActiveLanguage(), identifier);
}

void TFMain::setCaptionNote(const QString& note) {
  captionNote_ = note;
  if (!note.isEmpty() && !windowTitle().endsWith(note)) setWindowTitle(windowTitle() + note);
}

void TFMain::BitBtn1Click() {
  PlayStop = PlayStop == 0 ? 1 : 0;
  TabSheet2->followFlag();
}
void TFMain::BitBtn4Click() { TabSheet1->resetMinMax(); }
void TFMain::SpeedButton3Click(const protocol::Parameter& parameter) { TabSheet4->read(parameter); }
void TFMain::SpeedButton5Click() { TabSheet4->writeRatedCapacity(); }
void TFMain::BitBtn3Click() { TabSheet4->tare(); }
void TFMain::BitBtn5Click() { TabSheet4->calibrateInput(); }
void TFMain::BoxTensConstClick(ui::NumberEdit* sender) { TabSheet4->editClicked(sender); }
void TFMain::WriteFloatParameter(ui::NumberEdit* box, std::uint8_t writeCode, float upper, float lower) {
  TabSheet4->writeFloat(box, writeCode, upper, lower);
}
void TFMain::WriteIndexParameter(QComboBox* list, std::uint8_t writeCode, int offset) {
  TabSheet4->writeList(list, writeCode, offset);
}
void TFMain::DataTimerTimer() { sendRequest(protocol::kReadMeasurement); }
void TFMain::SendCommand(const std::uint8_t* source, std::uint32_t n) {
  device::SendCommand(ActiveDevice(), source, n);
}
void TFMain::HandleDeviceReport(hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
  link_->dispatch(data, size);
}
bool TFMain::HidDeviceController1Enumerate(hid::HidDevice& device, int index) {
  return link_->enumerate(device, index);
}
void TFMain::HidDeviceController1DeviceChange(hid::HidDeviceController& sender) { link_->deviceChange(sender); }
void TFMain::LangCombo1Change(int index) { Translator1->setActiveLanguage(index + 1); }
void TFMain::RecordingStep() { recording_->step(link_->sample()); }
void TFMain::Checkbox_AcquistionClick() { recording_->runChanged(); }
void TFMain::Button_SaveFilePathClick() { recording_->chooseFile(); }

// Both through the link, which sends while connected, by the transmitter
// above: CommandBuffer, then SendCommand.
void TFMain::sendRequest(std::uint8_t code) { link_->request(code); }
void TFMain::sendCommand(const protocol::Command& command) { link_->write(command); }

// The link has started or stopped DataTimer already.
void TFMain::setConnected(bool connected) {
  DeviceConnected = connected ? 255 : 0;
  TabSheet2->setUnit(link_->unit());
  connected ? TabSheet2->connectionStarted() : TabSheet2->connectionEnded();
  recording_->refreshStatus();
}

void TFMain::instrumentRefused(const device::Refusal& refusal) {
  const QString node = QString::fromStdString(refusal.node);
  if (refusal.kind == device::Refusal::Kind::InUse) {
    const QString holder = refusal.holder.empty() ? LookupMessage(QStringLiteral("TXT_ANOTHER_PROGRAM"))
                                                  : QString::fromStdString(refusal.holder);
    setStatusText(0, LookupMessage(QStringLiteral("IDS_IN_USE")).arg(node, holder), {node});
    return;
  }
  const device::AccessHelp help = device::AccessHelpFor(QCoreApplication::applicationDirPath());
  const QString text = LookupMessage(QString::fromLatin1(help.messageId));
  setStatusText(0, help.path.isEmpty() ? text.arg(node) : text.arg(node, help.path),
                help.path.isEmpty() ? QStringList{node} : QStringList{node, help.path});
}

void TFMain::deviceListChanged(const std::vector<device::DeviceLine>& lines) { TabSheet5->showDevices(lines); }
void TFMain::showStatus(const QString& identifier) { setStatusText(0, LookupMessage(identifier)); }
void TFMain::showValue(const protocol::Parameter& parameter, const QString& text) {
  TabSheet4->showValue(parameter, text);
}
void TFMain::selectChoice(const protocol::Parameter& parameter, int position) {
  TabSheet4->selectChoice(parameter, position);
}

void TFMain::valueReplied(const protocol::ParameterValue& value) {
  if (value.parameter->readCode == protocol::kTensUnitRead) TabSheet2->setUnit(link_->unit());
}

bool TFMain::measuring() { return DataTimer->isActive(); }
QString TFMain::recordFilePath() { return TabSheet5->recordingGroup()->fileEdit()->text(); }
std::int64_t TFMain::recordPeriodMs() {
  return std::int64_t{DataTimer->interval()} *
         std::max<std::uint32_t>(1, record::RateDivider(recording_->choices().periodPosition));
}

void TFMain::measurementReceived(const protocol::MeasurementSample& sample) {
  TabSheet1->show(sample, decimalSeparator_);
  RecordingStep();
  if (TabSheet5->showChartsBox()->isChecked()) TabSheet2->addMeasurement(sample, MonotonicClockMs());
}

void TFMain::FormCreate() {
  PageControl1->setCurrentWidget(TabSheet1);
  ConfigFilePath = configFileOverride_.isEmpty()
                       ? settings::ConfigFilePath(QCoreApplication::applicationDirPath(), files_.settingsName)
                       : configFileOverride_;
  TabSheet3->rows()->reset();
  const settings::IniFile ini(ConfigFilePath);
  LoadSettings(*this, ini);
  LangCombo1->setCurrentIndex(Translator1->ActiveLanguage() - 1);
  // Recording runs after start exactly when "start recording at startup" is ticked.
  TabSheet3->runBox()->setChecked(TabSheet5->recordingGroup()->autoStartBox()->isChecked());
  setWindowTitle(windowTitle() + kVersionSuffix);
}

// A save that fails shows the error box (the keys before the failure stay
// written) and the window closes all the same: nobody is trapped in it.
void TFMain::FormClose() {
  settings::IniFile ini(ConfigFilePath);
  SaveSettings(*this, ini);
}

void TFMain::SessionEnding() {
  if (!closed_) RunGuarded([this] { FormClose(); });
}

void TFMain::closeEvent(QCloseEvent* event) {
  if (!closed_) RunGuarded([this] { FormClose(); });
  closed_ = true;
  if (formCloseObserver) formCloseObserver();
  event->accept();
}

}  // namespace vestrix::app
