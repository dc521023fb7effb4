#include "app/main_window.h"

#include "app/error_box.h"
#include "app/status_panels.h"
#include "app/widgets.h"
#include "device/command_sender.h"
#include "i18n/lookup_message.h"
#include "measure/display_page.h"
#include "protocol/message_codes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QLocale>
#include <QTabWidget>
#include <QTimer>

namespace vestrix::app {

TFMain* FMain = nullptr;

namespace {

const QStringList kDataTimeItems = {
    "20 [ms]", "50 [ms]", "100 [ms]", "200 [ms]", "500 [ms]",  "1 [s]",    "2 [s]",   "5 [s]",
    "10 [s]",  "30 [s]",  "1[ min]",  "5 [min]",  "15[ min]", "30 [min]", "60 [min]",
};

}  // namespace

TFMain::TFMain(hid::Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      translationTable_(i18n::BuiltinTranslationTable()),
      decimalSeparator_(QLocale::system().decimalPoint().at(0)) {
  FMain = this;
  setObjectName(QStringLiteral("FMain"));
  buildFrame();

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

  FormCreate();
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
  PageControl1->setTabVisible(1, false);  // "Charts" is never shown

  Display = new measure::DisplayPage(TabSheet1);
  connect(Display->BitBtn4, &QPushButton::clicked, this, Guarded([this] { BitBtn4Click(); }));

  StatusBar = new StatusPanels(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setGeometry(0, kClientHeight - StatusPanels::kHeight, kClientWidth, StatusPanels::kHeight);

  buildProgramSettingsPage();
}

void TFMain::buildProgramSettingsPage() {
  QWidget* page = TabSheet5;
  Label46 = PlaceLabel(page, "Label46", QStringLiteral("Language:"), 11, 26);
  LangCombo1 = Place<QComboBox>(page, "LangCombo1", 91, 23, 118, 22);
  LangCombo1->addItems({QStringLiteral("Polski"), QStringLiteral("English")});
  LangCombo1->setCurrentIndex(activeLanguage_ - 1);

  GroupBox1 = Place<QGroupBox>(page, "GroupBox1", 3, 51, 598, 225);
  GroupBox1->setTitle(QStringLiteral("Measurement recording"));

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

QString TFMain::LookupMessage(const QString& identifier) const {
  return i18n::LookupMessage(translationTable_, activeLanguage_, identifier);
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

void TFMain::BitBtn4Click() {
  if (DeviceConnected == 0) return;
  CommandBuffer[0] = protocol::kResetMinMax;
  SendCommand(CommandBuffer.data(), protocol::kRequestLength);
}

void TFMain::HandleDeviceReport(hid::HidDevice&, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
  protocol::DispatchMessage(data, size, *this, sample_, decimalSeparator_);
}

void TFMain::RecordingStep() {}

bool TFMain::HidDeviceController1Enumerate(hid::HidDevice& device, int index) {
  return discovery_->Enumerate(device, index);
}

void TFMain::HidDeviceController1DeviceChange(hid::HidDeviceController&) { discovery_->DeviceChange(); }

void TFMain::setStatusText(int panel, const QString& text) { StatusBar->setPanelText(panel, text); }

void TFMain::setConnected(bool connected) {
  DeviceConnected = connected ? 255 : 0;
  if (connected) {
    DataTimer->start();
  } else {
    DataTimer->stop();
  }
}

hid::ReportHandler TFMain::instrumentReportHandler() {
  return hid::ReportHandler::bind<&TFMain::HandleDeviceReport>(this);
}

void TFMain::deviceListChanged(const std::vector<device::DeviceLine>& lines) {
  ListBox1->clear();
  for (const device::DeviceLine& line : lines) ListBox1->addItem(line.text);
}

void TFMain::showStatus(const QString& identifier) { setStatusText(0, LookupMessage(identifier)); }

// The configuration page's controls take these.
void TFMain::showValue(const protocol::Parameter&, const QString&) {}
void TFMain::selectChoice(const protocol::Parameter&, int) {}

void TFMain::measurementReceived(const protocol::MeasurementSample& sample) {
  Display->show(measure::FormatSample(sample, decimalSeparator_));
  RecordingStep();
}

void TFMain::FormCreate() {
  PageControl1->setCurrentWidget(TabSheet1);
  ConfigFilePath = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QDir::separator() +
                   QStringLiteral("config.ini");
  setWindowTitle(windowTitle() + kVersionSuffix);
}

void TFMain::FormClose() {
  if (formCloseObserver) formCloseObserver();
}

void TFMain::closeEvent(QCloseEvent* event) {
  RunGuarded([this] { FormClose(); });
  event->accept();
}

}  // namespace vestrix::app
