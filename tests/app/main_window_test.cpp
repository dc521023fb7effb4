#include "app/main_window.h"

#include "app/error_box.h"
#include "app/status_panels.h"
#include "hid/simulated/sim_bus.h"
#include "i18n/translation_table.h"
#include "measure/ui/display_page.h"

#include "support/qt_print.h"
#include "support/test_settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace vestrix::app {
namespace {

TEST(MainWindow, FrameAfterFormCreate) {
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  TFMain window(bus, settings.path());
  EXPECT_EQ(window.windowTitle(), "VESTRIX PC - 1.10");
  EXPECT_EQ(FMain, &window);
  EXPECT_EQ(window.size(), QSize(633, 622));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());  // no resize
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);

  QTabWidget* pages = window.findChild<QTabWidget*>("PageControl1");
  ASSERT_NE(pages, nullptr);
  QStringList visible;
  for (int i = 0; i < pages->count(); ++i) {
    if (pages->isTabVisible(i)) visible << pages->tabText(i);
  }
  EXPECT_EQ(visible, QStringList({"Display", "Data acquisition", "Device configuration", "Program settings"}));
  EXPECT_EQ(pages->count(), 5);
  EXPECT_EQ(pages->tabText(1), "Charts");
  EXPECT_EQ(pages->widget(1)->objectName(), "TabSheet2");
  EXPECT_FALSE(pages->isTabVisible(1));
  EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet1");

  auto* status = window.findChild<StatusPanels*>("StatusBar");
  ASSERT_NE(status, nullptr);
  ASSERT_EQ(status->panelCount(), 2);
  EXPECT_EQ(status->panelWidth(0), 400);
  EXPECT_EQ(status->panelWidth(1), 50);
  EXPECT_EQ(status->panelText(0), "");
  EXPECT_EQ(status->panelText(1), "");
  EXPECT_EQ(status->geometry(), QRect(0, 598, 633, 24));
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(status->panelWidth(1), 633 - 400);  // the last panel reaches the right edge
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_FALSE(window.windowIcon().pixmap(48).isNull());

  EXPECT_EQ(window.ConfigFilePath, settings.path());
  EXPECT_EQ(window.DeviceConnected, 0);
  EXPECT_EQ(window.PlayStop, 0);
  for (std::uint8_t b : window.CommandBuffer) EXPECT_EQ(b, 0);
  EXPECT_FALSE(window.findChild<QWidget*>("GroupBox12")->isVisibleTo(&window));
  EXPECT_FALSE(window.findChild<QWidget*>("GroupBox2")->isVisibleTo(&window));
  EXPECT_NE(window.findChild<QListWidget*>("ListBox1"), nullptr);
}

// Every status text fits its panel in both languages: nothing is cut.
TEST(MainWindow, StatusTextsFitTheirPanels) {
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  TFMain window(bus, settings.path());
  const QFontMetrics metrics(window.StatusBar->font());
  for (const i18n::TranslationRow& row : i18n::BuiltinTranslationTable().rows(i18n::kMessageSection)) {
    if (!row.name.startsWith("IDS_")) continue;  // a page's text (TXT_...), not the status bar's
    const bool connectionPanel = row.name == "IDS_1" || row.name == "IDS_2";
    const int room = window.StatusBar->panelWidth(connectionPanel ? 1 : 0) - 8;  // frame and indent
    for (int language : {i18n::kPolish, i18n::kEnglish}) {
      // A path in the first place, where a text has one.
      const QString text = QString(row.text(language)).replace("%1", "/dev/hidraw10");
      EXPECT_LE(metrics.horizontalAdvance(text), room) << row.name.toStdString() << ": " << text.toStdString();
    }
  }
}

TEST(MainWindow, PlayStopFlagInverts) {
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  TFMain window(bus, settings.path());
  window.BitBtn1Click();
  EXPECT_EQ(window.PlayStop, 1);
  window.BitBtn1Click();
  EXPECT_EQ(window.PlayStop, 0);
  window.PlayStop = 7;
  window.BitBtn1Click();
  EXPECT_EQ(window.PlayStop, 0);
}

struct ErrorBoxCase {
  const char* message;
  const char* shown;
};

void PrintTo(const ErrorBoxCase& c, std::ostream* os) { *os << '"' << c.message << '"'; }

class ErrorBoxRule : public ::testing::TestWithParam<ErrorBoxCase> {};

TEST_P(ErrorBoxRule, DotAppendedAfterCharactersThatSortAfterDot) {
  EXPECT_EQ(ErrorBoxText(QString::fromUtf8(GetParam().message)), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorBoxRule,
                         ::testing::Values(ErrorBoxCase{"Device cannot be opened", "Device cannot be opened."},
                                           ErrorBoxCase{"Done.", "Done."},
                                           ErrorBoxCase{"Value must be within [1..2]!", "Value must be within [1..2]!"},
                                           ErrorBoxCase{"ends in -", "ends in -"},
                                           ErrorBoxCase{"ends in 0", "ends in 0."},
                                           ErrorBoxCase{"ends in )", "ends in )"}, ErrorBoxCase{"zażółć", "zażółć."},
                                           ErrorBoxCase{"", ""}));

// An exception escaping an event handler of the running window is shown in
// the error box, and the next event is handled as usual.
TEST(MainWindow, UncaughtErrorShowsBoxAndProgramGoesOn) {
  QString title;
  QStringList shown;
  const ErrorBoxPresenter previous = SetErrorBoxPresenter([&](const QString& t, const QString& text) {
    title = t;
    shown << text;
  });
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  TFMain window(bus, settings.path());
  window.show();
  auto* button = new QPushButton(&window);
  QObject::connect(button, &QPushButton::clicked,
                   Guarded([] { throw std::runtime_error("Device cannot be identified"); }));
  bool nextEventRan = false;
  QTimer::singleShot(0, &window, [&] { button->click(); });
  QTimer::singleShot(5, &window, [&] { nextEventRan = true; });
  QTimer::singleShot(10, &window, [&] { window.close(); });
  QTimer::singleShot(2000, &window, [] { QCoreApplication::exit(1); });  // safety net
  EXPECT_EQ(QCoreApplication::exec(), 0);
  SetErrorBoxPresenter(previous);

  EXPECT_EQ(title, "VESTRIX PC");
  EXPECT_EQ(shown, QStringList{"Device cannot be identified."});
  EXPECT_TRUE(nextEventRan);
}

TEST(CaptionNote, StaysInEveryLanguage) {
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  TFMain window(bus, settings.path());
  window.setCaptionNote(" (simulated instrument)");
  EXPECT_EQ(window.windowTitle(), "VESTRIX PC - 1.10 (simulated instrument)");
  window.LangCombo1Change(0);
  EXPECT_EQ(window.windowTitle(), "VESTRIX PC (simulated instrument)");
}

}  // namespace
}  // namespace vestrix::app
