#include "app/main_window.h"

#include "app/error_box.h"
#include "app/status_panels.h"
#include "config/config_page.h"
#include "config/parameter_input.h"
#include "device/command_sender.h"
#include "i18n/lookup_message.h"
#include "measure/display_page.h"
#include "protocol/codecs.h"
#include "protocol/format_fixed.h"
#include "protocol/message_codes.h"
#include "record/local_clock.h"
#include "record/acquisition_page.h"
#include "record/recording_options.h"
#include "i18n/flags.h"
#include "i18n/language_combo.h"
#include "settings/config_location.h"
#include "settings/ini_file.h"
#include "ui/app_icon.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QLocale>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <chrono>
#include <optional>

namespace vestrix::app {

TFMain* FMain = nullptr;

using ui::Place;
using ui::PlaceLabel;

namespace {

const QStringList kDataTimeItems = {
    "20 [ms]", "50 [ms]", "100 [ms]", "200 [ms]", "500 [ms]",  "1 [s]",    "2 [s]",   "5 [s]",
    "10 [s]",  "30 [s]",  "1[ min]",  "5 [min]",  "15[ min]", "30 [min]", "60 [min]",
};

}  // namespace

TFMain::TFMain(hid::Platform& platform, QString configFilePath, ProgramFiles files)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      translationTable_(i18n::BuiltinTranslationTable()),
      decimalSeparator_(QLocale::system().decimalPoint().at(0)),
      configFileOverride_(std::move(configFilePath)),
      files_(std::move(files)),
      Recording(
          [this] { return LocalClock(); },
          [this] { return MonotonicClockMs(); }) {
  LocalClock = record::LocalClockNow;
  MonotonicClockMs = [] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  };
  SaveDialog = [this] {
    // Records are appended to a file that exists: nothing is replaced, so
    // the dialog does not ask whether to replace it.
    return QFileDialog::getSaveFileName(this, {}, {}, QStringLiteral("CSV (*.csv);;TXT (*.txt)"), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
  };
  FMain = this;
  setObjectName(QStringLiteral("FMain"));
  buildFrame();
  // The window's texts are the English ones: nothing is applied yet.
  translator_ = std::make_unique<i18n::Translator>(this, translationTable_, QStringLiteral("TFMain"), i18n::kEnglish);
  Translator1 = translator_.get();
  Translator1->onApplied = [this] {
    Display->wrapInputCaptions();
    if (!captionNote_.isEmpty() && !windowTitle().endsWith(captionNote_)) setWindowTitle(windowTitle() + captionNote_);
  };

  DataTimer = new QTimer(this);
  DataTimer->setObjectName(QStringLiteral("DataTimer"));
  DataTimer->setTimerType(Qt::PreciseTimer);
  DataTimer->setInterval(15);
  connect(DataTimer, &QTimer::timeout, this, Guarded([this] { DataTimerTimer(); }));

  // The controller posts its start-up pass; it runs once the event loop does.
  controller_ = std::make_unique<hid::HidDeviceController>(platform, gui_);
  HidDeviceController1 = controller_.get();
  discovery_ = std::make_unique<device::DeviceDiscovery>(*controller_, static_cast<device::DiscoveryHost&>(*this));
  controller_->setDefinitionLoading(true);
  controller_->setDevThreadSleepTime(0);
  controller_->setOnEnumerate(
      hid::HidDeviceController::EnumerateHandler::bind<&TFMain::HidDeviceController1Enumerate>(this));
  controller_->setOnDeviceChange(
      hid::HidDeviceController::NotifyHandler::bind<&TFMain::HidDeviceController1DeviceChange>(this));
  controller_->setDefinitionLoading(false);

  // An error here (a "Language" the table does not have) goes to the error
  // box and ends FormCreate where it stands; the window opens all the same.
  RunGuarded([this] { FormCreate(); });
}

TFMain::~TFMain() {
  DataTimer->stop();
  // Readers stop before the controls their reports reach go away.
  controller_.reset();
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

  PageControl1 = Place<QTabWidget>(this, "PageControl1", 8, 8, 623, 592);
  PageControl1->setDocumentMode(true);
  const std::array<std::pair<QWidget**, const char*>, 5> pages = {{
      {&TabSheet1, "Display"},
      {&TabSheet2, "Charts"},
      {&TabSheet3, "Data acquisition"},
      {&TabSheet4, "Device configuration"},
      {&TabSheet5, "Program settings"},
  }};
  int index = 0;
  for (const auto& [page, caption] : pages) {
    *page = new QWidget;
    (*page)->setObjectName(QStringLiteral("TabSheet%1").arg(++index));
    PageControl1->addTab(*page, QString::fromLatin1(caption));
  }
  // "Charts" is never shown, and nothing selects it: a disabled tab is
  // passed over by the arrow keys, the wheel and Ctrl+Tab.
  PageControl1->setTabVisible(1, false);
  PageControl1->setTabEnabled(1, false);
  // Tabs drawn as flat buttons; the page in front looks pressed.
  PageControl1->tabBar()->setDrawBase(false);
  PageControl1->tabBar()->setStyleSheet(QStringLiteral(
      "QTabBar::tab { background: palette(button); border: 1px outset palette(mid); padding: 3px 9px;"
      " margin: 0px 2px 2px 0px; }"
      "QTabBar::tab:selected { background: palette(midlight); border: 1px inset palette(mid); }"));

  Display = new measure::DisplayPage(TabSheet1);
  connect(Display->BitBtn4, &QPushButton::clicked, this, Guarded([this] { BitBtn4Click(); }));

  StatusBar = new StatusPanels(this);
  StatusBar->setFont(font);  // its own font: the languages give it their own face
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setGeometry(0, kClientHeight - StatusPanels::kHeight, kClientWidth, StatusPanels::kHeight);

  Acquisition = new record::AcquisitionPage(TabSheet3);
  Acquisition->Rows->setDecimalSeparator(decimalSeparator_);
  buildConfigPage();
  buildProgramSettingsPage();
  wireRecording();
}

void TFMain::wireRecording() {
  connect(Acquisition->Checkbox_Acquistion, &QCheckBox::toggled, this, Guarded([this] { Checkbox_AcquistionClick(); }));
  connect(RecordOptions->Button_SaveFilePath, &QPushButton::clicked, this,
          Guarded([this] { Button_SaveFilePathClick(); }));
}

void TFMain::buildConfigPage() {
  Config = new config::ConfigPage(TabSheet4);
  for (const config::ParameterRow& row : Config->rows()) {
    const protocol::Parameter& p = *row.parameter;
    connect(row.readButton, &QToolButton::clicked, this, Guarded([this, &p] { SpeedButton3Click(p); }));
    std::function<void()> write;
    switch (p.kind) {
      case protocol::ValueKind::Float32:
        write = [this, &p, box = row.edit] { WriteFloatParameter(box, p.writeCode(), p.upper, p.lower); };
        break;
      case protocol::ValueKind::UInt32: write = [this] { SpeedButton5Click(); }; break;
      case protocol::ValueKind::Index:
      case protocol::ValueKind::ModbusAddress:
        write = [this, &p, list = row.list] { WriteIndexParameter(list, p.writeCode(), p.indexOffset()); };
        break;
    }
    connect(row.writeButton, &QToolButton::clicked, this, Guarded(std::move(write)));
    if (row.edit != nullptr) {
      connect(row.edit, &config::ParameterEdit::clicked, this,
              Guarded([this, box = row.edit] { BoxTensConstClick(box); }));
    }
  }
  connect(Config->BitBtn3, &QPushButton::clicked, this, Guarded([this] { BitBtn3Click(); }));
  connect(Config->BitBtn5, &QPushButton::clicked, this, Guarded([this] { BitBtn5Click(); }));
}

void TFMain::buildProgramSettingsPage() {
  QWidget* page = TabSheet5;
  Label46 = PlaceLabel(page, "Label46", QStringLiteral("Language:"), 11, 26);
  LangCombo1 = Place<i18n::LanguageCombo>(page, "LangCombo1", 91, 23, 118, 22);
  LangCombo1->addLanguage(i18n::PolishFlag(), QStringLiteral("Polski"), QStringLiteral("Tahoma"));
  LangCombo1->addLanguage(i18n::UnitedKingdomFlag(), QStringLiteral("English"), QStringLiteral("Tahoma"));
  LangCombo1->setCurrentIndex(i18n::kEnglish - 1);
  // Only the user's pick, not the program's selection, switches the language.
  connect(LangCombo1, &QComboBox::activated, this, [this](int index) { RunGuarded([&] { LangCombo1Change(index); }); });

  GroupBox1 = Place<QGroupBox>(page, "GroupBox1", 3, 51, 598, 225);
  GroupBox1->setTitle(QStringLiteral("Measurement recording"));
  RecordOptions = new record::RecordingOptions(GroupBox1);

  GroupBox4 = Place<QGroupBox>(page, "GroupBox4", 3, 282, 598, 63);
  GroupBox4->setTitle(QStringLiteral("Measurement update"));
  Label21 = PlaceLabel(GroupBox4, "Label21", QStringLiteral("Period of data update from the device"), 24, 32);
  DataTime = Place<QComboBox>(GroupBox4, "DataTime", 221, 26, 65, 21);
  DataTime->addItems(kDataTimeItems);
  DataTime->setCurrentIndex(0);

  GroupBox2 = Place<QGroupBox>(page, "GroupBox2", 3, 351, 321, 122);
  GroupBox2->setTitle(QStringLiteral("Connection"));
  CheckBox1 = Place<QCheckBox>(GroupBox2, "CheckBox1", 24, 23, 233, 24);
  CheckBox1->setText(QStringLiteral("Connect the device at startup"));
  CheckBox2 = Place<QCheckBox>(GroupBox2, "CheckBox2", 24, 47, 193, 24);
  CheckBox2->setText(QStringLiteral("Auto  reconnects"));
  for (QCheckBox* box : {CheckBox1, CheckBox2}) {
    box->setChecked(true);
    box->setEnabled(false);
  }
  GroupBox2->setVisible(false);

  GroupBox12 = Place<QGroupBox>(page, "GroupBox12", 330, 351, 271, 122);
  GroupBox12->setTitle(QStringLiteral("Active USB HID device"));
  ListBox1 = Place<QListWidget>(GroupBox12, "ListBox1", 20, 20, 236, 89);
  GroupBox12->setVisible(false);

  Label17 = PlaceLabel(page, "Label17",
                       QStringLiteral("NOTE: All changes will take effect after restarting the program."), 27,
                       487);
}

void TFMain::setDecimalSeparator(QChar separator) {
  decimalSeparator_ = separator;
  Acquisition->Rows->setDecimalSeparator(separator);
}

QString TFMain::LookupMessage(const QString& identifier) const {
  return i18n::LookupMessage(translationTable_, Translator1->ActiveLanguage(), identifier);
}

void TFMain::BitBtn1Click() { PlayStop = PlayStop == 0 ? 1 : 0; }

void TFMain::SendCommand(const std::uint8_t* source, std::uint32_t n) {
  device::SendCommand(ActiveDevice(), source, n);
}

void TFMain::DataTimerTimer() {
  if (DeviceConnected == 0) return;
  CommandBuffer[0] = protocol::kReadMeasurement;
  SendCommand(CommandBuffer.data(), protocol::kRequestLength);
}

void TFMain::sendRequest(std::uint8_t code) {
  if (DeviceConnected == 0) return;
  CommandBuffer[0] = code;
  SendCommand(CommandBuffer.data(), protocol::kRequestLength);
}

void TFMain::BitBtn4Click() { sendRequest(protocol::kResetMinMax); }

void TFMain::SpeedButton3Click(const protocol::Parameter& parameter) { sendRequest(parameter.readCode); }

void TFMain::BitBtn3Click() { sendRequest(protocol::kTaring); }

void TFMain::BitBtn5Click() { sendRequest(protocol::kInputCalibration); }

void TFMain::BoxTensConstClick(config::ParameterEdit* sender) { sender->setInvalid(false); }

// Write buttons send whether connected or not; without a usable instrument
// SendCommand sends nothing.
void TFMain::WriteFloatParameter(config::ParameterEdit* box, std::uint8_t writeCode, float upper, float lower) {
  const std::optional<double> number = config::ParseNumber(box->text(), decimalSeparator_);
  if (!number) {
    box->setInvalid(true);
    return;
  }
  const float v = config::ClampToFloat32(*number, upper, lower);
  box->showValue(protocol::FormatFixed(v, 15, 4, decimalSeparator_));
  CommandBuffer[0] = writeCode;
  protocol::PutFloat32(CommandBuffer.data() + 1, v);
  SendCommand(CommandBuffer.data(), protocol::kWordWriteLength);
}

void TFMain::SpeedButton5Click() {
  const protocol::Parameter& range = *protocol::FindParameterByReadCode(protocol::kTensRangeRead);
  config::ParameterEdit* box = Config->row(range).edit;
  const std::optional<std::uint32_t> u = config::ParseRatedCapacity(box->text());
  if (!u) {
    box->setInvalid(true);
    return;
  }
  box->showValue(QString::number(*u));
  CommandBuffer[0] = range.writeCode();
  protocol::PutUInt32(CommandBuffer.data() + 1, *u);
  SendCommand(CommandBuffer.data(), protocol::kWordWriteLength);
}

void TFMain::WriteIndexParameter(QComboBox* list, std::uint8_t writeCode, int offset) {
  // No selection (a reply outside the list): nothing the user chose to send.
  if (list->currentIndex() < 0) return;
  CommandBuffer[0] = writeCode;
  CommandBuffer[1] = static_cast<std::uint8_t>(list->currentIndex() + offset);
  SendCommand(CommandBuffer.data(), protocol::kIndexWriteLength);
}

void TFMain::HandleDeviceReport(hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
  protocol::DispatchMessage(data, size, *this, sample_, decimalSeparator_);
}

void TFMain::RecordingStep() {
  if (!Acquisition->Checkbox_Acquistion->isChecked()) {
    Recording.idleStep();
  } else {
    const record::RecordOptions options{RecordOptions->ComboBox_AcquistionTime->currentIndex(),
                                        RecordOptions->columns(), RecordOptions->Edit_FileName->text(),
                                        decimalSeparator_};
    const record::RecordingState::Step step = Recording.RecordingStep(sample_, options);
    if (step.recorded && Acquisition->Cb_ShowInTab->isChecked()) Acquisition->Rows->addRow(sample_);
    const QStringList path{options.path};
    if (step.recreatedNow) setStatusText(0, LookupMessage(QStringLiteral("IDS_REC_RECREATED")).arg(options.path), path);
    // Once per failure, not once per measurement.
    if (step.failedNow) {
      setStatusText(0,
                    Recording.failureKind() == record::RecordFile::Failure::NotRegularFile
                        ? LookupMessage(QStringLiteral("IDS_REC_NOT_FILE")).arg(options.path)
                        : LookupMessage(QStringLiteral("IDS_REC_FAILED")).arg(options.path, Recording.failure()),
                    path);
    }
    if (step.resumedNow) setStatusText(0, LookupMessage(QStringLiteral("IDS_REC_RESUMED")).arg(options.path), path);
  }
  refreshAcquisitionStatus();
}

void TFMain::refreshAcquisitionStatus() {
  Acquisition->showStatus(Acquisition->Checkbox_Acquistion->isChecked() && DataTimer->isActive() &&
                          Recording.storing());
}

void TFMain::Checkbox_AcquistionClick() {
  const bool running = Acquisition->Checkbox_Acquistion->isChecked();
  Recording.runChanged(running);
  if (running) Acquisition->Rows->reset();
  RecordOptions->Button_SaveFilePath->setEnabled(!running);
  refreshAcquisitionStatus();
}

void TFMain::Button_SaveFilePathClick() {
  const QString chosen = SaveDialog();
  if (chosen.isEmpty()) return;
  RecordOptions->Edit_FileName->setText(record::WithCsvExtension(chosen));
  const QString path = RecordOptions->Edit_FileName->text();
  if (QFileInfo::exists(path)) setStatusText(0, LookupMessage(QStringLiteral("IDS_REC_APPENDS")).arg(path), {path});
  try {
    settings::IniFile(ConfigFilePath).writeString(QStringLiteral("Options"), QStringLiteral("FileName"),
                                                  RecordOptions->Edit_FileName->text());
  } catch (const settings::SettingsError&) {
    // The path holds for this run all the same; only remembering it failed.
  }
}

bool TFMain::HidDeviceController1Enumerate(hid::HidDevice& device, int index) {
  return discovery_->Enumerate(device, index);
}

void TFMain::HidDeviceController1DeviceChange(hid::HidDeviceController&) { discovery_->DeviceChange(); }

void TFMain::setStatusText(int panel, const QString& text, const QStringList& paths) {
  StatusBar->setPanelText(panel, text, paths);
}

void TFMain::setConnected(bool connected) {
  DeviceConnected = connected ? 255 : 0;
  if (connected) {
    DataTimer->start();
  } else {
    DataTimer->stop();
  }
  refreshAcquisitionStatus();
}

hid::ReportHandler TFMain::instrumentReportHandler() {
  return hid::ReportHandler::bind<&TFMain::HandleDeviceReport>(this);
}

void TFMain::deviceListChanged(const std::vector<device::DeviceLine>& lines) {
  ListBox1->clear();
  for (const device::DeviceLine& line : lines) ListBox1->addItem(line.text);
}

void TFMain::showStatus(const QString& identifier) { setStatusText(0, LookupMessage(identifier)); }

void TFMain::showValue(const protocol::Parameter& parameter, const QString& text) {
  Config->showValue(parameter, text);
}

void TFMain::selectChoice(const protocol::Parameter& parameter, int position) {
  Config->selectChoice(parameter, position);
}

void TFMain::measurementReceived(const protocol::MeasurementSample& sample) {
  Display->show(measure::FormatSample(sample, decimalSeparator_));
  RecordingStep();
}

void TFMain::FormCreate() {
  PageControl1->setCurrentWidget(TabSheet1);
  ConfigFilePath = configFileOverride_.isEmpty() ? settings::ConfigFilePath(QCoreApplication::applicationDirPath(), files_.settingsName)
                                                 : configFileOverride_;
  Acquisition->Rows->reset();
  const settings::IniFile ini(ConfigFilePath);
  loadSettings(ini);
  LangCombo1->setCurrentIndex(Translator1->ActiveLanguage() - 1);
  // Recording runs after start exactly when "start recording at startup" is ticked.
  Acquisition->Checkbox_Acquistion->setChecked(RecordOptions->AutoSave->isChecked());
  setWindowTitle(windowTitle() + kVersionSuffix);
}

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kScreen = QStringLiteral("Screen");

// The eight column boxes' keys, in file order.
const char* const kColumnKeys[] = {"SaveDate", "SaveTime", "SaveDataCnt", "SaveTens",
                                   "SaveCnt",  "SaveAdc",  "SaveOut1",    "SaveOut2"};
constexpr bool kColumnDefaults[] = {true, true, true, false, true, false, false, false};

// A stored list position; one outside the list selects nothing.
void SelectStored(QComboBox* list, int position) {
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

}  // namespace

void TFMain::loadSettings(const settings::IniFile& ini) {
  Acquisition->Checkbox_Acquistion->setChecked(ini.readBool(kOptions, QStringLiteral("Checkbox_DataAcquistion"), false));
  SelectStored(RecordOptions->ComboBox_AcquistionTime, ini.readInteger(kOptions, QStringLiteral("DataAcquistionSpeed"), 0));
  RecordOptions->Edit_FileName->setText(ini.readString(kOptions, QStringLiteral("FileName"), files_.defaultRecordFile));
  const auto boxes = RecordOptions->columnBoxes();
  for (int c = 0; c < record::kColumnCount; ++c) {
    boxes[c]->setChecked(ini.readBool(kOptions, QString::fromLatin1(kColumnKeys[c]), kColumnDefaults[c]));
  }
  RecordOptions->AutoSave->setChecked(ini.readBool(kOptions, QStringLiteral("AutoSave"), true));
  move(ini.readInteger(kScreen, QStringLiteral("ScreenLeft"), 10), ini.readInteger(kScreen, QStringLiteral("ScreenTop"), 10));
  // The update period is shown as it was chosen; polling keeps its 15 ms.
  SelectStored(DataTime, ini.readInteger(kOptions, QStringLiteral("DataTime"), 0));
  Translator1->setActiveLanguage(ini.readInteger(kOptions, QStringLiteral("Language"), i18n::kPolish));
}

void TFMain::saveSettings(settings::IniFile& ini) {
  ini.writeBool(kOptions, QStringLiteral("Checkbox_DataAcquistion"), Acquisition->Checkbox_Acquistion->isChecked());
  ini.writeInteger(kOptions, QStringLiteral("DataAcquistionSpeed"), RecordOptions->ComboBox_AcquistionTime->currentIndex());
  const auto boxes = RecordOptions->columnBoxes();
  for (int c = 0; c < record::kColumnCount; ++c) {
    ini.writeBool(kOptions, QString::fromLatin1(kColumnKeys[c]), boxes[c]->isChecked());
  }
  ini.writeBool(kOptions, QStringLiteral("AutoSave"), RecordOptions->AutoSave->isChecked());
  ini.writeInteger(kScreen, QStringLiteral("ScreenLeft"), x());
  ini.writeInteger(kScreen, QStringLiteral("ScreenTop"), y());
  ini.writeInteger(kOptions, QStringLiteral("DataTime"), DataTime->currentIndex());
  ini.writeInteger(kOptions, QStringLiteral("Language"), Translator1->ActiveLanguage());
}

void TFMain::setCaptionNote(const QString& note) {
  captionNote_ = note;
  if (!note.isEmpty() && !windowTitle().endsWith(note)) setWindowTitle(windowTitle() + note);
}

void TFMain::LangCombo1Change(int index) { Translator1->setActiveLanguage(index + 1); }

// A save that fails shows the error box (the keys before the failure stay
// written) and the window closes all the same: nobody is trapped in it.
void TFMain::FormClose() {
  settings::IniFile ini(ConfigFilePath);
  saveSettings(ini);
}

void TFMain::closeEvent(QCloseEvent* event) {
  RunGuarded([this] { FormClose(); });
  if (formCloseObserver) formCloseObserver();
  event->accept();
}

}  // namespace vestrix::app
