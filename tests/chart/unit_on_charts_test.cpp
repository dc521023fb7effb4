// The unit of the strain-gauge input as the connected instrument says it:
// on the value axis, in the readout, the capture's captions, the results
// table and the export; followed after a write of TensUnit; unknown for an
// instrument that never says it and for a file under review.
#include "app/program_settings_page.h"
#include "chart/capture_panel.h"
#include "chart/charts_page.h"
#include "config/ui/config_page.h"
#include "protocol/message_codes.h"
#include "simulated_instrument/instrument_model.h"

#include "support/qt_pump.h"
#include "support/window_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vestrix::chart {
namespace {

using measure::ForceUnit;

struct UnitCase {
  std::uint8_t position;  // of TensUnit's list: g, Kg, N, KN, pound
  ForceUnit unit;
  const char* symbol;
};

class UnitOnCharts : public testing::WindowFixture {
 protected:
  ChartsPage* page() const { return window->TabSheet2; }
  QComboBox* unitList() const { return window->TabSheet4->findChild<QComboBox*>(QStringLiteral("BoxTensUnit")); }

  // The instrument's stored unit, as a write from its keys sets it.
  void storeUnit(std::uint8_t position) {
    instruments.back()->withModel([&](sim::InstrumentModel& m) {
      const std::uint8_t write[] = {protocol::kTensUnitRead | protocol::kWriteFlag, position};
      m.handle(write, sizeof write);
    });
  }
  void startShown() {
    start();
    ASSERT_TRUE(testing::PumpUntil([&] { return connected(); }));
    window->TabSheet5->showChartsBox()->setChecked(true);
  }
  bool unitIs(ForceUnit unit) {
    return testing::PumpUntil([&] { return window->unit() == unit; });
  }
  // Everything the page shows of the unit, as one text per place.
  void expectShown(const QString& symbol) {
    EXPECT_EQ(page()->plot()->valueTitle(), "Tensometric [" + symbol + "]");
    EXPECT_EQ(page()->capturePanel()->label(CapturePanel::Start)->text(), "Start level [" + symbol + "]");
    EXPECT_EQ(page()->capturePanel()->label(CapturePanel::Upper)->text(), "Upper limit [" + symbol + "]");
    EXPECT_EQ(page()->capturePanel()->label(CapturePanel::Break)->text(), "Break [%]");
    const CaptureResultsModel* results = page()->capturePanel()->results();
    EXPECT_EQ(results->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Peak [" + symbol + "]");
    EXPECT_EQ(results->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Duration [s]");
    // The headings that grew still fit their columns.
    const QTableView* table = page()->capturePanel()->table();
    for (const int c : {3, 5, 6, 7}) {
      const QString heading = results->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
      EXPECT_GT(table->columnWidth(c), table->horizontalHeader()->fontMetrics().horizontalAdvance(heading)) << c;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("results.csv");
    ASSERT_TRUE(page()->exportResults(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    // The rules' block names the unit too, then the tests' headings carry it.
    const QByteArray u = symbol.toUtf8();
    EXPECT_TRUE(text.startsWith("Direction;Start level [" + u + "];")) << text.toStdString();
    EXPECT_TRUE(text.contains(";" + u + ";\r\nNo.;Date;Time;Start (ISO 8601);Duration [s];Peak [" + u +
                              "];Peak at [s];Lowest [" + u + "];"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Mean peak [" + symbol.toUtf8() + "];")) << text.toStdString();
  }
};

class EachUnit : public UnitOnCharts, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(EachUnit, IsShownWhereverTheStrainGaugeValueGoes) {
  plugInstrument();
  storeUnit(GetParam().position);
  startShown();
  ASSERT_TRUE(unitIs(GetParam().unit));
  expectShown(QString::fromLatin1(GetParam().symbol));
  // The window asked by itself: the configuration page and the status bar
  // show nothing of it.
  EXPECT_EQ(unitList()->currentIndex(), 0);  // as the page shows it before any read
  EXPECT_NE(panel(0), message("IDS_19"));
}

INSTANTIATE_TEST_SUITE_P(Units, EachUnit,
                         ::testing::Values(UnitCase{0, ForceUnit::Gram, "g"}, UnitCase{1, ForceUnit::Kilogram, "kg"},
                                           UnitCase{2, ForceUnit::Newton, "N"},
                                           UnitCase{3, ForceUnit::Kilonewton, "kN"},
                                           UnitCase{4, ForceUnit::Pound, "lbf"}),
                         [](const ::testing::TestParamInfo<UnitCase>& info) { return std::string(info.param.symbol); });

TEST_F(UnitOnCharts, FollowsAWriteOfTensUnitFromTheConfigurationPage) {
  plugInstrument();
  startShown();
  ASSERT_TRUE(unitIs(ForceUnit::Newton));
  unitList()->setCurrentIndex(3);  // KN
  window->TabSheet4->findChild<QAbstractButton*>(QStringLiteral("SpeedButton13"))->click();
  ASSERT_TRUE(unitIs(ForceUnit::Kilonewton));
  expectShown(QStringLiteral("kN"));
  // A read the user asks for is shown as always.
  unitList()->setCurrentIndex(-1);
  window->TabSheet4->findChild<QAbstractButton*>(QStringLiteral("SpeedButton12"))->click();
  ASSERT_TRUE(testing::PumpUntil([&] { return unitList()->currentIndex() == 3; }));
  EXPECT_EQ(panel(0), message("IDS_19"));
}

TEST_F(UnitOnCharts, AnInstrumentThatNeverSaysItIsUsedWithTheUnitUnknown) {
  plugInstrument();
  instruments.back()->withModel([](sim::InstrumentModel& m) { m.setUnanswered(protocol::kTensUnitRead); });
  std::int64_t nowMs = 0;
  startShown();
  window->MonotonicClockMs = [&] { return nowMs; };
  // Asked at every retry; measurements go on all the while.
  for (int i = 0; i < measure::UnitInquiry::kTries + 1; ++i) {
    nowMs += measure::UnitInquiry::kRetryMs;
    const float before = window->latestSample().tensValue;
    ASSERT_TRUE(testing::PumpUntil([&] { return window->latestSample().tensValue != before; }));
  }
  EXPECT_TRUE(connected());
  EXPECT_EQ(window->unit(), ForceUnit::Unknown);
  EXPECT_EQ(page()->plot()->valueTitle(), "Tensometric (unit unknown)");
  EXPECT_EQ(page()->capturePanel()->label(CapturePanel::Start)->text(), "Start level");
  EXPECT_EQ(page()->capturePanel()->results()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Peak");
  window->LangCombo1Change(0);  // Polish
  EXPECT_EQ(page()->plot()->valueTitle(), "Tensometr (jednostka nieznana)");
}

TEST_F(UnitOnCharts, AFileUnderReviewHasNoUnitAndLiveGetsItBack) {
  plugInstrument();
  startShown();
  ASSERT_TRUE(unitIs(ForceUnit::Newton));
  QTemporaryDir dir;
  QFile file(dir.filePath("records.csv"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Date;Time;Tensometr;\r\n10-12-2026;8:30:5:7;12.50;\r\n10-12-2026;8:30:5:27;13.50;\r\n");
  file.close();
  ASSERT_TRUE(page()->load(file.fileName()));
  EXPECT_EQ(page()->plot()->valueTitle(), "Tensometric (unit unknown)");
  EXPECT_EQ(page()->capturePanel()->label(CapturePanel::Lower)->text(), "Lower limit");
  page()->playStopButton()->click();  // back to live
  EXPECT_EQ(page()->plot()->valueTitle(), "Tensometric [N]");
  EXPECT_EQ(page()->capturePanel()->label(CapturePanel::Lower)->text(), "Lower limit [N]");
}

}  // namespace
}  // namespace vestrix::chart
