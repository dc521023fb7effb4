// Start-up and close with a settings file in a folder of the test's own.
#include "app/error_box.h"
#include "app/main_window.h"
#include "app/program_settings_page.h"
#include "hid/simulated/sim_bus.h"
#include "i18n/language_combo.h"
#include "measure/ui/display_page.h"
#include "record/ui/acquisition_page.h"
#include "record/ui/recording_group.h"

#include "support/child_process.h"
#include "support/qt_print.h"
#include "support/qt_pump.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vestrix::app {
namespace {

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = SetErrorBoxPresenter([this](const QString& title, const QString& text) {
      EXPECT_EQ(title, "VESTRIX PC");
      errors << text;
    });
  }
  void TearDown() override {
    window.reset();
    SetErrorBoxPresenter(previous);
  }
  QString path() const { return dir.filePath("config.ini"); }
  void store(const QByteArray& content) {
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
  }
  std::string stored() const {
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<none>";
  }
  TFMain& open() {
    window = std::make_unique<TFMain>(bus, path());
    return *window;
  }
  record::AcquisitionPage* page() const { return window->TabSheet3; }
  record::RecordingGroup* options() const { return window->TabSheet5->recordingGroup(); }

  QTemporaryDir dir;
  hid::sim::SimBus bus;
  std::unique_ptr<TFMain> window;
  QStringList errors;
  ErrorBoxPresenter previous;
};

TEST_F(Startup, FirstStartWithoutAFile) {
  TFMain& w = open();
  EXPECT_EQ(w.Translator1->ActiveLanguage(), 1);  // Polish
  EXPECT_EQ(w.pos(), QPoint(10, 10));
  EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
  EXPECT_EQ(options()->periodList()->currentText(), "~ 50 / s.");
  EXPECT_EQ(options()->fileEdit()->text(), "data.csv");
  EXPECT_TRUE(options()->autoStartBox()->isChecked());
  EXPECT_TRUE(page()->runBox()->isChecked());  // from AutoSave
  EXPECT_FALSE(options()->fileButton()->isEnabled());
  EXPECT_EQ(w.windowTitle(), "VESTRIX PC - 1.10");
  EXPECT_EQ(w.LangCombo1->currentIndex(), 0);
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(stored(), "<none>");  // nothing written before the close
}

// The run's check box is set twice; its handler runs each time.
TEST_F(Startup, StoredAcquisitionIsOverruledByAutoSave) {
  store("[Options]\nCheckbox_DataAcquistion=1\nAutoSave=0\nLanguage=2\n");
  open();
  // Ticked by the load, cleared by AutoSave: the run that started ended.
  EXPECT_FALSE(page()->runBox()->isChecked());
  EXPECT_TRUE(options()->fileButton()->isEnabled());
  EXPECT_FALSE(window->recording().headerPending());
}

TEST_F(Startup, EnglishStoredAppliesNothing) {
  store("[OPTIONS]\nlanguage=2\nSaveTens=2\nSaveCnt=yes\nDataAcquistionSpeed=0x2\nFileName=\n");
  TFMain& w = open();
  EXPECT_EQ(w.Translator1->ActiveLanguage(), 2);
  EXPECT_EQ(w.LangCombo1->currentIndex(), 1);
  EXPECT_EQ(w.TabSheet5->findChild<QLabel*>("Label19")->text(), "Save file path");
  EXPECT_TRUE(options()->columnBoxes()[3]->isChecked());
  EXPECT_TRUE(options()->columnBoxes()[4]->isChecked());  // "yes" is no integer: the default
  EXPECT_EQ(options()->periodList()->currentIndex(), 2);
  EXPECT_EQ(options()->fileEdit()->text(), "");
}

TEST_F(Startup, AnOutOfRangePeriodSelectsNothingAndIsStoredAsMinusOne) {
  store("[Options]\nDataAcquistionSpeed=9\nLanguage=2\n");
  TFMain& w = open();
  EXPECT_EQ(options()->periodList()->currentIndex(), -1);
  w.close();
  EXPECT_NE(stored().find("DataAcquistionSpeed=-1\n"), std::string::npos) << stored();
}

TEST_F(Startup, TheFirstCloseWritesEveryKeyInOrder) {
  TFMain& w = open();
  w.close();
  EXPECT_EQ(stored(),
            "[Options]\r\nCheckbox_DataAcquistion=1\r\nDataAcquistionSpeed=0\r\nSaveDate=1\r\nSaveTime=1\r\n"
            "SaveDataCnt=1\r\nSaveTens=0\r\nSaveCnt=1\r\nSaveAdc=0\r\nSaveOut1=0\r\nSaveOut2=0\r\nAutoSave=1\r\n"
            "DataTime=0\r\nLanguage=1\r\n[Screen]\r\nScreenLeft=10\r\nScreenTop=10\r\n");
}

TEST_F(Startup, ChoicesSurviveARestart) {
  {
    TFMain& w = open();
    w.LangCombo1->setCurrentIndex(1);
    w.LangCombo1Change(1);
    w.TabSheet5->updatePeriodList()->setCurrentText("5 [s]");
    w.move(123, 45);
    w.close();
    window.reset();
  }
  EXPECT_NE(stored().find("Language=2\r\n"), std::string::npos);
  EXPECT_NE(stored().find("DataTime=7\r\n"), std::string::npos);
  EXPECT_NE(stored().find("ScreenLeft=123\r\nScreenTop=45\r\n"), std::string::npos) << stored();
  TFMain& again = open();
  EXPECT_EQ(again.Translator1->ActiveLanguage(), 2);
  EXPECT_EQ(again.pos(), QPoint(123, 45));
  EXPECT_EQ(again.TabSheet5->updatePeriodList()->currentText(), "5 [s]");
  EXPECT_EQ(again.windowTitle(), "VESTRIX PC - 1.10");
}

TEST_F(Startup, ALanguageOutsideTheTableShowsTheErrorAndSkipsTheRest) {
  store("[Options]\nLanguage=3\nCheckbox_DataAcquistion=1\nAutoSave=0\n");
  TFMain& w = open();
  ASSERT_EQ(errors.size(), 1);
  EXPECT_EQ(errors[0], "TFMain: 3 - is not a valid property value!\nValue must be within [1..2]!");
  EXPECT_EQ(w.windowTitle(), "VESTRIX PC");  // no suffix
  EXPECT_EQ(w.Translator1->ActiveLanguage(), 2);
  EXPECT_EQ(w.LangCombo1->currentIndex(), 1);
  EXPECT_TRUE(page()->runBox()->isChecked());  // as loaded: AutoSave was not copied
  w.close();
  EXPECT_NE(stored().find("Language=2\n"), std::string::npos) << stored();  // the next start is normal
}

TEST_F(Startup, BrokenFilesStartWithoutACrash) {
  QByteArray garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 131) & 0xFF);
  static const char withNul[] = "[Options]\0Language=\0002\n";
  const QByteArray cases[] = {
      garbage,
      QByteArray(withNul, sizeof withNul - 1),
      "[Options]\n" + QByteArray(1024 * 1024, 'x') + "\nLanguage=2\n",
      "[Options]\nFileName=\xff\xfe\xc3\x28\nLanguage=2\n",
      "[Options]\nLanguage=99999999999\n",
  };
  for (const QByteArray& content : cases) {
    errors.clear();
    store(content);
    TFMain& w = open();
    EXPECT_TRUE(w.Translator1->ActiveLanguage() == 1 || w.Translator1->ActiveLanguage() == 2);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    window.reset();
  }
}

TEST_F(Startup, AFailingSaveShowsTheErrorAndClosesAnyway) {
  window = std::make_unique<TFMain>(bus, dir.filePath("gone/config.ini"));
  window->show();
  ASSERT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_EQ(errors[0], "Unable to write to " + dir.filePath("gone/config.ini") + ".");
}

// The hidden "Charts" page: neither keys, the wheel nor Ctrl+Tab reach it.
TEST_F(Startup, TheHiddenPageCannotBeReached) {
  store("[Options]\nLanguage=2\nAutoSave=0\n");
  TFMain& w = open();
  w.show();
  QTabBar* tabs = w.PageControl1->tabBar();
  auto neverCharts = [&] { EXPECT_NE(w.PageControl1->currentWidget(), w.TabSheet2); };
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(tabs, Qt::Key_Right);
    neverCharts();
  }
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(tabs, Qt::Key_Left);
    neverCharts();
  }
  EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
  QTest::keyClick(tabs, Qt::Key_Right);
  EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet3);  // straight past it
  w.PageControl1->setCurrentWidget(w.TabSheet1);
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(w.PageControl1, Qt::Key_Tab, Qt::ControlModifier);
    neverCharts();
  }
  w.PageControl1->setCurrentWidget(w.TabSheet1);
  for (const int delta : {-120, -120, 120, 120, -120}) {
    QWheelEvent wheel(QPointF(20, 10), tabs->mapToGlobal(QPointF(20, 10)), {}, QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
    neverCharts();
  }
}

// Settings beside the program where its folder is writable, else under the
// user's configuration folder: a copy of the demo, run as an unprivileged
// user from a folder it cannot write.
TEST(SettingsLocation, AnUnwritableProgramFolderUsesTheConfigurationFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run the program as another user";
  QTemporaryDir root;
  const QString programs = root.filePath("programs");
  const QString home = root.filePath("home");
  ASSERT_TRUE(QDir().mkpath(programs));
  ASSERT_TRUE(QDir().mkpath(home));
  const QString demo = programs + "/vestrix-pc-demo";
  ASSERT_TRUE(QFile::copy(DEMO_PROGRAM, demo));
  ::chmod(root.path().toLocal8Bit().constData(), 0755);
  ::chmod(programs.toLocal8Bit().constData(), 0755);
  ::chmod(demo.toLocal8Bit().constData(), 0755);
  ASSERT_EQ(::chown(home.toLocal8Bit().constData(), 65534, 65534), 0);
  qputenv("XDG_CONFIG_HOME", home.toLocal8Bit());
  testing::ChildProcess program(std::vector<std::string>{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                                         "--clear-groups", demo.toStdString()},
                                home.toStdString());
  qunsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.aliveAfter(1500));
  program.signal(SIGTERM);
  EXPECT_EQ(program.wait(), 0);
  EXPECT_FALSE(QFile::exists(programs + "/demo.ini"));
  EXPECT_TRUE(QFile::exists(home + "/vestrix-pc/demo.ini"));
}

}  // namespace
}  // namespace vestrix::app
