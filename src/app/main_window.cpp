#include "app/main_window.h"

#include "app/error_box.h"
#include "app/status_panels.h"
#include "app/widgets.h"
#include "i18n/lookup_message.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QTabWidget>

namespace vestrix::app {

TFMain* FMain = nullptr;

namespace {

const QStringList kDataTimeItems = {
    "20 [ms]", "50 [ms]", "100 [ms]", "200 [ms]", "500 [ms]",  "1 [s]",    "2 [s]",   "5 [s]",
    "10 [s]",  "30 [s]",  "1[ min]",  "5 [min]",  "15[ min]", "30 [min]", "60 [min]",
};

}  // namespace

TFMain::TFMain(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      translationTable_(i18n::BuiltinTranslationTable()) {
  FMain = this;
  setObjectName(QStringLiteral("FMain"));
  buildFrame();
  FormCreate();
}

TFMain::~TFMain() {
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
