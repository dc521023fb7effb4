// Status texts as the user sees them: the panel keeps its size, a text too
// long for it shows whole in the tooltip, and in the panel its paths give
// way (shortened in their middle) so that the sentence and its reason stay
// readable. Measured on the real window in both languages, each with its
// status bar face.
#include "app/status_panels.h"

#include "app/main_window.h"
#include "hid/simulated/sim_bus.h"
#include "i18n/translation_table.h"

#include "support/test_settings.h"

#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace vestrix::app {
namespace {

// 60 characters, as a record path in a lab often is.
const QString kLongPath = QStringLiteral("/home/engineer/measurements/2026-12-10/line-4/pull-tests.csv");
const QString kRulePath = QStringLiteral("/usr/lib/udev/rules.d/69-vestrix.rules");

struct Said {
  QString text;
  QStringList paths;
};

// Every status text that names a path, with the longest realistic
// arguments: every reason the system gives for a failed write.
std::vector<Said> EveryPathMessage(const TFMain& window) {
  std::vector<Said> said;
  for (int error = 1; error < 134; ++error) {
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    for (const char* id : {"IDS_REC_FAILED", "IDS_CHART_NOT_READ", "IDS_CHART_NOT_SAVED", "IDS_CAPTURE_NOT_EXPORTED"}) {
      said.push_back({window.LookupMessage(id).arg(kLongPath, reason), {kLongPath}});
    }
  }
  for (const char* id :
       {"IDS_REC_NOT_FILE", "IDS_REC_RECREATED", "IDS_REC_RESUMED", "IDS_REC_APPENDS", "IDS_CHART_NOT_FILE",
        "IDS_CHART_CANCELLED", "IDS_CHART_SAVED", "IDS_CAPTURE_EXPORTED", "IDS_CHART_NOT_RECORDS"}) {
    EXPECT_TRUE(window.LookupMessage(id).contains("%1")) << id;
    said.push_back({window.LookupMessage(id).arg(kLongPath), {kLongPath}});
  }
  said.push_back(
      {window.LookupMessage("IDS_CHART_READ").arg(kLongPath, "123456789 records", "9999 runs", "1234567 lines"),
       {kLongPath}});
  said.push_back(
      {window.LookupMessage("IDS_IN_USE").arg("/dev/hidraw12", "vestrix-cli (pid 4194304)"), {"/dev/hidraw12"}});
  said.push_back({window.LookupMessage("IDS_ACCESS").arg("/dev/hidraw12", kRulePath), {"/dev/hidraw12", kRulePath}});
  return said;
}

// The parts of a text between its paths: what must stay whole.
QStringList Sentence(const Said& s) {
  QString text = s.text;
  for (const QString& path : s.paths) text.replace(path, QStringLiteral("\n"));
  return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class StatusTexts : public ::testing::TestWithParam<int> {};

TEST_P(StatusTexts, FitTheirPanelAndKeepTheirReason) {
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  TFMain window(bus, settings.path());
  window.show();
  window.LangCombo1Change(GetParam() - 1);
  StatusPanels* bar = window.StatusBar;
  const QLabel* panel = bar->findChild<QLabel*>("Panel0");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(bar->panelWidth(0), 400);
  const QFontMetrics metrics = panel->fontMetrics();
  int shortened = 0;
  for (const Said& s : EveryPathMessage(window)) {
    bar->setPanelText(0, s.text, s.paths);
    const QString shown = bar->shownText(0);
    SCOPED_TRACE(s.text.toStdString());
    EXPECT_EQ(bar->panelText(0), s.text);
    EXPECT_LE(metrics.horizontalAdvance(shown), bar->textWidth(0)) << shown.toStdString();
    for (const QString& part : Sentence(s)) EXPECT_TRUE(shown.contains(part)) << shown.toStdString();
    if (shown != s.text) {
      ++shortened;
      EXPECT_EQ(panel->toolTip(), s.text);
    } else {
      EXPECT_TRUE(panel->toolTip().isEmpty());
    }
  }
  EXPECT_GT(shortened, 0);  // the case is real: such texts are too long for 400 pixels
  // A short text shows as it is, with no tooltip.
  bar->setPanelText(0, window.LookupMessage("IDS_4"));
  EXPECT_EQ(bar->shownText(0), window.LookupMessage("IDS_4"));
  EXPECT_TRUE(panel->toolTip().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, StatusTexts, ::testing::Values(i18n::kPolish, i18n::kEnglish));

// A switch of language changes the face of the status bar: what is shown
// is fitted again.
TEST(StatusTexts, AreFittedAgainWhenTheFaceChanges) {
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  TFMain window(bus, settings.path());
  window.show();
  StatusPanels* bar = window.StatusBar;
  const QString text =
      window.LookupMessage("IDS_REC_FAILED").arg(kLongPath, QString::fromLocal8Bit(std::strerror(EACCES)));
  bar->setPanelText(0, text, {kLongPath});
  window.LangCombo1Change(i18n::kPolish - 1);
  const QLabel* panel = bar->findChild<QLabel*>("Panel0");
  EXPECT_LE(panel->fontMetrics().horizontalAdvance(bar->shownText(0)), bar->textWidth(0));
}

}  // namespace
}  // namespace vestrix::app
