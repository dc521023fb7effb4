// Recording on the real window, offscreen, with a fixed clock and scripted
// measurement messages.
#include "measure/ui/display_page.h"
#include "measure/ui/value_field.h"
#include "protocol/codecs.h"
#include "record/ui/acquisition_page.h"
#include "record/ui/acquisition_table_view.h"
#include "record/ui/recording_group.h"
#include "settings/ini_file.h"

#include "support/samples.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <chrono>
#include <thread>

namespace vestrix::record {
namespace {

class RecordingWindow : public testing::WindowFixture {
 protected:
  // Connected, but the instrument's own answers no longer reach the
  // window: the test sends the measurement messages itself.
  void startConnected() {
    plugInstrument();
    start();
    ASSERT_TRUE(connected());
    window->ActiveDevice()->setReportHandler({});
    window->LocalClock = [] { return record::ClockReading{2026, 12, 10, 8, 30, 5, 7}; };
    window->MonotonicClockMs = [this] { return nowMs; };
    window->ConfigFilePath = dir.filePath("config.ini");
    options()->fileEdit()->setText(dir.filePath("data.csv"));
  }
  RecordingGroup* options() const { return window->TabSheet5->recordingGroup(); }
  AcquisitionPage* page() const { return window->TabSheet3; }

  void measurement(const protocol::MeasurementSample& s) {
    const auto m = protocol::EncodeMeasurement(s);
    std::vector<std::uint8_t> report(m.begin(), m.end());
    report.resize(63);
    window->HandleDeviceReport(*window->ActiveDevice(), 1, report.data(), 63);
  }
  std::string file(const QString& name = "data.csv") const {
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<none>";
  }
  QString status() const { return page()->statusField()->text(); }
  QColor statusColour() const { return page()->statusField()->palette().color(QPalette::Base); }

  QTemporaryDir dir;
  std::int64_t nowMs = 0;
};

TEST_F(RecordingWindow, TableAndFileTellTheSameRecordsTheirOwnWay) {
  startConnected();
  for (QCheckBox* box : options()->columnBoxes()) box->setChecked(true);
  page()->showInTableBox()->setChecked(true);
  page()->runBox()->setChecked(true);  // the program sets it: the handler runs all the same
  EXPECT_FALSE(options()->fileButton()->isEnabled());
  EXPECT_EQ(page()->rows()->rowCount(), 1);
  protocol::MeasurementSample s = testing::ScriptedSample();
  measurement(s);
  EXPECT_EQ(page()->rows()->rowCount(), 1);  // the blank row 0 is filled
  s.relay1 = 0;
  s.relay2 = 7;
  measurement(s);
  ASSERT_EQ(page()->rows()->rowCount(), 2);
  const QStringList row0 = {"9-1-2015", "14:5:9", "12.5000", "0.0000", "1234.5679", "HIGH", "LOW"};
  const QStringList row1 = {"9-1-2015", "14:5:9", "12.5000", "0.0000", "1234.5679", "LOW", "HIGH"};
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(page()->rows()->cellText(0, c), row0[c]) << c;
    EXPECT_EQ(page()->rows()->cellText(1, c), row1[c]) << c;
  }
  EXPECT_EQ(file(),
            "Date;Time;No.;Tensometr;Enkoder;0-10V;OUT1;OUT2;\r\n"
            "10-12-2026;8:30:5:7;0;12.50;0.00;1234.57;2;0;\r\n"
            "10-12-2026;8:30:5:7;1;12.50;0.00;1234.57;0;7;\r\n");
  EXPECT_EQ(status(), "AKTYWNA");
  EXPECT_EQ(statusColour(), AcquisitionPage::kActiveColour);
  // A second run on the same file: a new header, numbers from 0, the table emptied.
  page()->runBox()->setChecked(false);
  EXPECT_TRUE(options()->fileButton()->isEnabled());
  EXPECT_EQ(status(), "NIEAKTYWNA");
  page()->runBox()->setChecked(true);
  EXPECT_EQ(page()->rows()->records(), 0u);
  measurement(s);
  EXPECT_TRUE(
      QByteArray::fromStdString(file()).endsWith("Date;Time;No.;Tensometr;Enkoder;0-10V;OUT1;OUT2;\r\n"
                                                 "10-12-2026;8:30:5:7;0;12.50;0.00;1234.57;0;7;\r\n"));
}

// A comma as the decimal separator: the table writes its numbers as the
// file and the Display page do.
TEST_F(RecordingWindow, TheTableUsesTheDecimalSeparatorOfTheFileAndTheDisplay) {
  startConnected();
  window->setDecimalSeparator(QLatin1Char(','));
  for (QCheckBox* box : options()->columnBoxes()) box->setChecked(false);
  options()->columnBoxes()[3]->setChecked(true);
  page()->showInTableBox()->setChecked(true);
  page()->runBox()->setChecked(true);
  measurement(testing::ScriptedSample());
  EXPECT_EQ(page()->rows()->cellText(0, 2), "12,5000");
  EXPECT_EQ(page()->rows()->cellText(0, 4), "1234,5679");
  EXPECT_EQ(window->TabSheet1->tensField()->text(), "12,5000");
  EXPECT_EQ(file(), "Tensometr;\r\n12,50;\r\n");
}

// The file deleted during a run: said in the status bar, begun again with
// its header, and the run stays active.
TEST_F(RecordingWindow, AFileDeletedDuringARunIsSaidAndBegunAgain) {
  startConnected();
  page()->runBox()->setChecked(true);
  measurement(testing::ScriptedSample());
  // Windows keeps a file that is open for writing from being deleted: the
  // case does not arise there.
  if (!QFile::remove(dir.filePath("data.csv"))) GTEST_SKIP() << "an open file cannot be deleted on this system";
  nowMs += RecordFile::kPathCheckIntervalMs;
  measurement(testing::ScriptedSample());
  EXPECT_EQ(panel(0), message("IDS_REC_RECREATED").arg(dir.filePath("data.csv")));
  EXPECT_EQ(status(), "AKTYWNA");
  EXPECT_EQ(file(), "Date;Time;No.;Enkoder;\r\n10-12-2026;8:30:5:7;1;0.00;\r\n");
}

// A device as the record path: refused at once, and said why.
TEST_F(RecordingWindow, ARecordPathThatIsNoFileIsSaid) {
  startConnected();
  options()->fileEdit()->setText("/dev/null");
  page()->runBox()->setChecked(true);
  measurement(testing::ScriptedSample());
  EXPECT_EQ(panel(0), message("IDS_REC_NOT_FILE").arg("/dev/null"));
  EXPECT_EQ(status(), "NIEAKTYWNA");
}

// The real save dialog: choosing a file that exists does not ask whether to
// replace it (nothing is replaced), and the status bar says records are
// appended to it.
TEST_F(RecordingWindow, TheSaveDialogAppendsToAnExistingFileWithoutAskingToReplaceIt) {
  startConnected();
  window->show();
  const QString existing = dir.filePath("old.csv");
  {
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("No.;\r\n0;\r\n");
  }
  bool askedToReplace = false;
  QTimer watcher;  // answers "No" to a question, should one come
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      askedToReplace = true;
      question->reject();
    }
  });
  watcher.start(5);
  QTimer driver;  // picks the file in the dialog, or gives up after a question
  QObject::connect(&driver, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    if (askedToReplace) {
      dialog->reject();
      return;
    }
    // As a user types a path into the name field and presses Save.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(existing);
    static_cast<QDialog*>(dialog)->accept();
  });
  driver.start(20);
  options()->fileButton()->click();
  EXPECT_FALSE(askedToReplace);
  EXPECT_EQ(options()->fileEdit()->text(), existing);
  EXPECT_EQ(panel(0), message("IDS_REC_APPENDS").arg(existing));
  // A new file is nothing to say.
  window->StatusBar->setPanelText(0, "other");
  window->SaveDialog = [&] { return dir.filePath("new.csv"); };
  options()->fileButton()->click();
  EXPECT_EQ(panel(0), "other");
}

// The demo keeps its settings and records apart from the real program's.
TEST(DemoFiles, TheDemoRecordsToAFileOfItsOwn) {
  QTemporaryDir dir;
  {
    QFile f(dir.filePath("demo.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Options]\r\nLanguage=2\r\nAutoSave=0\r\n");
  }
  hid::sim::SimBus bus;
  app::TFMain window(bus, dir.filePath("demo.ini"), app::ProgramFiles::Demo());
  EXPECT_EQ(window.TabSheet5->recordingGroup()->fileEdit()->text(), "data-simulated.csv");
  app::TFMain real(bus, dir.filePath("demo.ini"));
  EXPECT_EQ(real.TabSheet5->recordingGroup()->fileEdit()->text(), "data.csv");
}

TEST_F(RecordingWindow, TheStatusFollowsTheConnection) {
  startConnected();
  page()->runBox()->setChecked(true);
  EXPECT_EQ(status(), "AKTYWNA");
  bus.unplug(bus.devices().front());
  ASSERT_TRUE(testing::PumpUntil([&] { return disconnected(); }));
  EXPECT_EQ(status(), "NIEAKTYWNA");
  EXPECT_EQ(statusColour(), AcquisitionPage::kInactiveColour);
}

TEST_F(RecordingWindow, AFailingFileIsSaidOnceAndTheStatusTellsTheTruth) {
  startConnected();
  options()->fileEdit()->setText("/dev/full");
  page()->runBox()->setChecked(true);
  measurement(testing::ScriptedSample());
  EXPECT_EQ(status(), "NIEAKTYWNA");
  const QString said = panel(0);
  EXPECT_TRUE(said.contains("/dev/full")) << said.toStdString();
  window->StatusBar->setPanelText(0, "other");
  for (int i = 0; i < 10; ++i) measurement(testing::ScriptedSample());
  EXPECT_EQ(panel(0), "other");  // once per failure, not per measurement
  // Back to a writable file: recording resumes and says so.
  page()->runBox()->setChecked(false);
  options()->fileEdit()->setText(dir.filePath("missing/data.csv"));
  page()->runBox()->setChecked(true);
  measurement(testing::ScriptedSample());
  EXPECT_EQ(status(), "NIEAKTYWNA");
  ASSERT_TRUE(QDir(dir.path()).mkdir("missing"));
  nowMs += 1000;
  measurement(testing::ScriptedSample());
  EXPECT_EQ(status(), "AKTYWNA");
  EXPECT_TRUE(panel(0).contains("missing/data.csv")) << panel(0).toStdString();
  EXPECT_EQ(file("missing/data.csv"), "Date;Time;No.;Enkoder;\r\n10-12-2026;8:30:5:7;0;0.00;\r\n");
}

TEST_F(RecordingWindow, TheSaveDialogSetsThePathAndRemembersIt) {
  startConnected();
  const QString before = options()->fileEdit()->text();
  window->SaveDialog = [] { return QString(); };  // cancelled
  options()->fileButton()->click();
  EXPECT_EQ(options()->fileEdit()->text(), before);
  EXPECT_FALSE(QFile::exists(window->ConfigFilePath));
  const QString chosen = dir.filePath("run.2026/log");
  window->SaveDialog = [&] { return chosen; };
  options()->fileButton()->click();
  EXPECT_EQ(options()->fileEdit()->text(), chosen + ".csv");
  EXPECT_EQ(settings::IniFile(window->ConfigFilePath).readString("Options", "FileName", ""), chosen + ".csv");
  // A settings file that cannot be written: the path holds all the same.
  window->ConfigFilePath = dir.filePath("no/such/config.ini");
  window->SaveDialog = [] { return QStringLiteral("/tmp/x.csv"); };
  options()->fileButton()->click();
  EXPECT_EQ(options()->fileEdit()->text(), "/tmp/x.csv");
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(RecordingWindow, TheRecordPeriodCountsMeasurementMessages) {
  startConnected();
  for (QCheckBox* box : options()->columnBoxes()) box->setChecked(false);
  options()->columnBoxes()[2]->setChecked(true);
  options()->periodList()->setCurrentIndex(1);  // "~ 10 / s."
  page()->runBox()->setChecked(true);
  for (int i = 0; i < 12; ++i) measurement(testing::ScriptedSample());
  EXPECT_EQ(file(), "No.;\r\n0;\r\n1;\r\n");
  options()->periodList()->setCurrentIndex(0);
  measurement(testing::ScriptedSample());
  EXPECT_EQ(file(), "No.;\r\n0;\r\n1;\r\n2;\r\n");
}

TEST_F(RecordingWindow, NoRunNoFile) {
  startConnected();
  page()->runBox()->setChecked(true);
  page()->runBox()->setChecked(false);
  measurement(testing::ScriptedSample());
  EXPECT_EQ(file(), "<none>");
}

// A table of a million rows stays cheap: appending does not slow down and
// the model holds values, not texts.
TEST_F(RecordingWindow, AMillionRowsInTheTable) {
  startConnected();
  page()->showInTableBox()->setChecked(true);
  page()->runBox()->setChecked(true);
  page()->runBox()->setChecked(false);  // a run ended: no file writes, the table stays
  protocol::MeasurementSample s = testing::ScriptedSample();
  for (int i = 0; i < 1000000; ++i) {
    s.second = static_cast<std::uint8_t>(i % 60);
    page()->rows()->addRow(s);
  }
  EXPECT_EQ(page()->rows()->rowCount(), 1000000);
  window->PageControl1->setCurrentWidget(window->TabSheet3);
  window->show();
  page()->tableView()->scrollToBottom();
  QApplication::processEvents();
  EXPECT_EQ(page()->rows()->cellText(999999, 1), "14:5:39");
}

}  // namespace
}  // namespace vestrix::record
