// The test capture on the real window, offscreen, fed the demo's pull
// tests through the window's own report handler.
#include "app/program_settings_page.h"
#include "capture/results_file.h"
#include "chart/charts_page.h"
#include "clock/local_clock.h"
#include "protocol/codecs.h"
#include "protocol/format_fixed.h"
#include "record/record_line.h"
#include "simulated_instrument/instrument_model.h"
#include "ui/number_edit.h"

#include "support/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace vestrix::chart {
namespace {

constexpr std::int64_t kStart = 1000000;            // the first sample's arrival, on the monotonic clock
constexpr std::int64_t kWallStart = 1796889600000;  // and on the PC's clock: 10 December 2026, 08:00 UTC

// A local clock reading in ISO 8601 with its offset from UTC ("Z" for none).
QByteArray Iso(const record::ClockReading& at, std::int64_t wallMs) {
  const std::int64_t naive =
      QDateTime(QDate(at.year, at.month, at.day), QTime(at.hour, at.minute, at.second, at.millisecond), Qt::UTC)
          .toMSecsSinceEpoch();
  const int offsetMinutes = static_cast<int>((naive - wallMs) / 60000);
  QByteArray text = QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d.%03d", at.year, at.month, at.day, at.hour,
                                      at.minute, at.second, at.millisecond)
                        .toUtf8();
  if (offsetMinutes == 0) return text + 'Z';
  const int magnitude = std::abs(offsetMinutes);
  return text + (offsetMinutes < 0 ? '-' : '+') +
         QString::asprintf("%02d:%02d", magnitude / 60, magnitude % 60).toUtf8();
}

class CapturePanelTest : public testing::WindowFixture {
 protected:
  ChartsPage* page() const { return window->TabSheet2; }
  CapturePanel* capture() const { return page()->capturePanel(); }
  void startCapturing(const QByteArray& extra = {},
                      const QByteArray& rules = "CaptureLower=500\r\nCaptureUpper=800\r\nCaptureBreak=50\r\n") {
    captureSettings = std::make_unique<testing::TestSettings>("ShowCharts=1\r\nCaptureArmed=1\r\n" + rules + extra);
    plugInstrument();
    window = std::make_unique<app::TFMain>(bus, captureSettings->path());
    window->setDecimalSeparator(QLatin1Char(','));
    testing::PumpUntil([&] { return connected(); });
    window->ActiveDevice()->setReportHandler({});
    window->MonotonicClockMs = [this] { return nowMs; };
    page()->wallClockMs = [this] { return kWallStart + (nowMs - kStart); };
    window->PageControl1->setCurrentWidget(page());
    window->show();
    model.setSignal(sim::Signal::Tests);
    model.setNoise(0);
    model.setSignalTime([this] { return seconds; });
  }
  // The demo's pull tests (pushes when turned over), sample by sample at
  // the 15 ms poll.
  void run(int samples, bool turnedOver = false) {
    for (int i = 0; i < samples; ++i, ++sample) {
      seconds = sample * 0.015;
      nowMs = kStart + sample * 15;
      protocol::MeasurementSample measured = model.measure();
      if (turnedOver) measured.tensValue = -measured.tensValue;
      const auto m = protocol::EncodeMeasurement(measured);
      std::vector<std::uint8_t> report(m.begin(), m.end());
      report.resize(63);
      window->HandleDeviceReport(*window->ActiveDevice(), 1, report.data(), 63);
    }
  }

  std::unique_ptr<testing::TestSettings> captureSettings;
  sim::InstrumentModel model;
  double seconds = 0;
  int sample = 0;
  std::int64_t nowMs = kStart;
};

// The demo's tests turned over are compression tests: with the direction
// and the rules the other way up, the same ten tests, their peaks the
// lowest values, the same verdicts; the direction kept in the settings.
TEST_F(CapturePanelTest, CompressionTestsAreTheDemosTestsTurnedOver) {
  startCapturing("CaptureDirection=1\r\n",
                 "CaptureStart=-10\r\nCaptureEnd=-5\r\nCaptureLower=-800\r\nCaptureUpper=-500\r\n"
                 "CaptureBreak=50\r\n");
  EXPECT_EQ(capture()->directionList()->currentIndex(), 1);
  EXPECT_EQ(capture()->directionList()->currentText(), "Compression");
  run(10 * 400 + 10, true);
  const std::vector<capture::CapturedTest>& tests = page()->capture().tests();
  ASSERT_EQ(tests.size(), 10u);
  for (std::size_t k = 0; k < 10; ++k) EXPECT_EQ(tests[k].peak, -sim::InstrumentModel::kTestPeaks[k]) << k;
  EXPECT_EQ(page()->capture().batch().passed, 8);
  EXPECT_EQ(page()->capture().batch().failed, 2);
  EXPECT_TRUE(capture()->batchLabel()->text().contains(QString::fromUtf8("Cp\u00a00,52, Cpk\u00a00,48")))
      << capture()->batchLabel()->text().toStdString();
  // Back to tension, the levels below zero are the end's fault.
  capture()->directionList()->setCurrentIndex(0);
  EXPECT_TRUE(capture()->box(CapturePanel::End)->invalid());
  capture()->directionList()->setCurrentIndex(1);
  window->close();
  window.reset();
  const settings::IniFile ini(captureSettings->path());
  EXPECT_EQ(ini.readInteger("Options", "CaptureDirection", -1), 1);
}

// On the plot: the limits and their band, the levels while armed, each
// test's peak with its value; the same guides again cost no repaint.
TEST_F(CapturePanelTest, LimitsLevelsAndPeaksAreDrawnOnThePlotOnlyWhenTheyChange) {
  startCapturing();
  run(3 * 400 + 10);
  ASSERT_EQ(page()->capture().tests().size(), 3u);
  const PlotGuides& guides = page()->plot()->guides();
  EXPECT_EQ(guides.lowerLimit, 500);
  EXPECT_EQ(guides.upperLimit, 800);
  EXPECT_EQ(guides.startLevel, 10);
  EXPECT_EQ(guides.endLevel, 5);
  ASSERT_EQ(guides.peaks.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    const capture::CapturedTest& t = page()->capture().tests()[k];
    EXPECT_EQ(guides.peaks[k].time, t.peakMs);
    EXPECT_EQ(guides.peaks[k].value, t.peak);
    EXPECT_TRUE(guides.peaks[k].text.startsWith(protocol::FormatFixed(t.peak, 15, 4, ',').trimmed()))
        << guides.peaks[k].text.toStdString();
  }

  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  ASSERT_TRUE(testing::PumpUntil([&] { return !page()->plot()->repaintPending(); }));
  QApplication::processEvents();
  const int painted = page()->plot()->repaints();
  emit capture()->box(CapturePanel::Start)->editingFinished();  // the same rules again
  QApplication::processEvents();
  EXPECT_EQ(page()->plot()->repaints(), painted);
  // Disarmed: the levels go, the limits stay.
  capture()->armBox()->setChecked(false);
  EXPECT_FALSE(guides.startLevel);
  EXPECT_FALSE(guides.endLevel);
  EXPECT_EQ(guides.lowerLimit, 500);
  EXPECT_TRUE(testing::PumpUntil([&] { return page()->plot()->repaints() > painted; }));
}

// Ten tests of the demo in sequence: ten rows, the two outside the limits
// FAIL, and the export's exact bytes.
TEST_F(CapturePanelTest, TenTestsOfTheDemoCapturedJudgedAndExported) {
  startCapturing();
  run(10 * 400 + 10);  // a test every six seconds
  const std::vector<capture::CapturedTest>& tests = page()->capture().tests();
  ASSERT_EQ(tests.size(), 10u);
  ASSERT_EQ(capture()->results()->rowCount(), 10);
  for (std::size_t k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    const double peak = sim::InstrumentModel::kTestPeaks[k];
    // The ramp passes the start level 10 at 2 + 10 * 2.9 / peak seconds
    // into its cycle; the first sample at or after it starts the test, the
    // break at 5.010 s ends it.
    const int first = static_cast<int>(std::ceil((2 + 10 * 2.9 / peak) / 0.015 - 1e-9));
    EXPECT_EQ(tests[k].peak, peak);
    EXPECT_EQ(tests[k].end, capture::EndReason::Break);
    EXPECT_EQ(tests[k].samples, static_cast<std::uint64_t>(334 - first));
    EXPECT_EQ(tests[k].startMs, kStart + static_cast<std::int64_t>(k) * 6000 + first * 15);
    EXPECT_EQ(tests[k].endMs, kStart + static_cast<std::int64_t>(k) * 6000 + 334 * 15);
  }
  EXPECT_EQ(capture()->results()->cellText(4, 3), "480,0000");
  EXPECT_EQ(capture()->results()->cellText(4, 4), "FAIL");
  EXPECT_EQ(capture()->results()->cellText(6, 4), "FAIL");  // 830
  EXPECT_EQ(capture()->results()->cellText(0, 4), "PASS");
  EXPECT_EQ(capture()->results()->data(capture()->results()->index(4, 4), Qt::BackgroundRole).value<QColor>(),
            CaptureResultsModel::kFail);
  EXPECT_EQ(capture()->results()->data(capture()->results()->index(0, 4), Qt::BackgroundRole).value<QColor>(),
            CaptureResultsModel::kPass);
  EXPECT_EQ(capture()->batchLabel()->text(),
            "Tests: 10, passed: 8, failed: 2; peak: mean 638,7000, std. dev. 96,1435, from 480,0000 to 830,0000; "
            "Cp\u00a00,52, Cpk\u00a00,48 (n\u00a0=\u00a010)");

  QTemporaryDir dir;
  page()->chooseResultsFile = [&] { return dir.filePath("batch"); };
  capture()->exportButton()->click();
  QFile file(dir.filePath("batch.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // The rules first, then the tests with their start in ISO 8601 too.
  QByteArray expected =
      "Direction;Start level;End level;Break [%];Longest [s];Before [s];After [s];Lower limit;Upper limit;Unit;\r\n"
      "tension;10,0000;5,0000;50,00;0,000;0,500;0,500;500,0000;800,0000;;\r\n"
      "No.;Date;Time;Start (ISO 8601);Duration [s];Peak;Peak at [s];Lowest;Mean;Std. dev.;Samples;Skipped;End;"
      "Break drop [%];Verdict;\r\n";
  // Peaks exact, the fifth and seventh outside 500 to 800, durations and
  // samples as the ramps give them, each ended by the break to rest.
  const char* const kRest[] = {
      "2,955;612,0000;2,850;11,6069;321,4527;179,8538;197;0;break;100,00;PASS;",
      "2,955;655,0000;2,850;12,4224;344,0384;192,4906;197;0;break;100,00;PASS;",
      "2,955;590,0000;2,850;11,1897;309,8972;173,3884;197;0;break;100,00;PASS;",
      "2,955;720,0000;2,850;13,6552;378,1796;211,5927;197;0;break;100,00;PASS;",
      "2,940;480,0000;2,835;11,5862;253,3596;140,3427;196;0;break;100,00;FAIL;",
      "2,955;640,0000;2,850;12,1379;336,1596;188,0824;197;0;break;100,00;PASS;",
      "2,970;830,0000;2,865;11,4483;433,8130;245,1627;198;0;break;100,00;FAIL;",
      "2,955;600,0000;2,850;11,3793;315,1497;176,3272;197;0;break;100,00;PASS;",
      "2,955;700,0000;2,850;13,2759;367,6746;205,7151;197;0;break;100,00;PASS;",
      "2,955;560,0000;2,850;10,6207;294,1397;164,5721;197;0;break;100,00;PASS;",
  };
  for (int k = 0; k < 10; ++k) {
    const std::int64_t wall = kWallStart + (tests[static_cast<std::size_t>(k)].startMs - kStart);
    const record::ClockReading at = clock::LocalClockAt(wall);
    expected += QByteArray::number(k + 1) + ';' + record::DateText(at) + ';' + record::TimeText(at) + ';' +
                Iso(at, wall) + ';' + kRest[k] + "\r\n";
  }
  expected +=
      "Tests;Passed;Failed;Interrupted;Mean peak;Std. dev. of peaks;Lowest peak;Highest peak;Cp;Cpk;\r\n"
      "10;8;2;0;638,7000;96,1435;480,0000;830,0000;0,520;0,481;\r\n";
  EXPECT_EQ(file.readAll().toStdString(), expected.toStdString());
  EXPECT_EQ(panel(0), message("IDS_CAPTURE_EXPORTED").arg(dir.filePath("batch.csv")));
}

// A click on a row: the plot stands still, the test shaded and zoomed to
// what was kept of it. Clear begins a new batch.
TEST_F(CapturePanelTest, ARowShowsItsTestAndClearBeginsANewBatch) {
  startCapturing();
  run(3 * 400 + 10);
  ASSERT_EQ(page()->capture().tests().size(), 3u);
  const capture::CapturedTest t = page()->capture().tests()[1];
  QTableView* table = capture()->table();
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                    table->visualRect(capture()->results()->index(1, 0)).center());
  EXPECT_EQ(window->PlayStop, 1);
  EXPECT_EQ(page()->plot()->viewFrom(), t.keptFromMs);
  EXPECT_EQ(page()->plot()->viewTo(), t.keptToMs);
  EXPECT_EQ(t.startMs - t.keptFromMs, 500);
  EXPECT_EQ(t.keptToMs - t.endMs, 500);
  // Capture goes on while the plot stands still.
  run(400);
  EXPECT_EQ(page()->capture().tests().size(), 4u);
  capture()->clearButton()->click();
  EXPECT_EQ(capture()->results()->rowCount(), 0);
  run(400);
  ASSERT_EQ(page()->capture().tests().size(), 1u);
  EXPECT_EQ(page()->capture().tests()[0].number, 1);
  EXPECT_TRUE(capture()->batchLabel()->text().startsWith("Tests: 1, passed: 0, failed: 1"))  // the 480 of the demo
      << capture()->batchLabel()->text().toStdString();
}

// A box that holds no number for its rule turns light red and the rule
// keeps its value; the rules reach the settings file with a point and come
// back in the user's separator.
TEST_F(CapturePanelTest, RulesAreValidatedAndKept) {
  startCapturing();
  ui::NumberEdit* start = capture()->box(CapturePanel::Start);
  ui::NumberEdit* breakBox = capture()->box(CapturePanel::Break);
  start->setText("12,5");
  emit start->editingFinished();
  EXPECT_FALSE(start->invalid());
  breakBox->setText("150");  // more than all of the peak
  emit breakBox->editingFinished();
  EXPECT_TRUE(breakBox->invalid());
  capture()->box(CapturePanel::Upper)->setText("400");  // below the lower limit
  emit capture()->box(CapturePanel::Upper)->editingFinished();
  EXPECT_TRUE(capture()->box(CapturePanel::Upper)->invalid());
  run(400 + 10);
  ASSERT_EQ(page()->capture().tests().size(), 1u);
  const capture::CapturedTest& t = page()->capture().tests()[0];
  EXPECT_EQ(t.end, capture::EndReason::Break);   // the break rule kept its 50 %
  EXPECT_EQ(t.verdict, capture::Verdict::Pass);  // 612 within 500 to 800, the old upper limit
  EXPECT_GE(t.lowest, 12.5);                     // started at the new level
  breakBox->setText("30");
  emit breakBox->editingFinished();
  window->close();
  window.reset();
  const settings::IniFile ini(captureSettings->path());
  EXPECT_EQ(ini.readString("Options", "CaptureStart", ""), "12.5");
  EXPECT_EQ(ini.readString("Options", "CaptureBreak", ""), "30");
  EXPECT_EQ(ini.readInteger("Options", "CaptureArmed", -1), 1);
  window = std::make_unique<app::TFMain>(bus, captureSettings->path());
  window->setDecimalSeparator(QLatin1Char(','));
  EXPECT_EQ(capture()->box(CapturePanel::Start)->text(), QLocale::system().decimalPoint() == "," ? "12,5" : "12.5");
  EXPECT_TRUE(capture()->armBox()->isChecked());
}

// The connection ends in the middle of a test: it is closed, and marked.
TEST_F(CapturePanelTest, ATestOpenWhenTheConnectionEndsIsClosedAndMarked) {
  startCapturing();
  run(250);  // into the ramp
  ASSERT_TRUE(page()->capture().inTest());
  bus.unplug(bus.devices().front());
  ASSERT_TRUE(testing::PumpUntil([&] { return disconnected(); }));
  ASSERT_EQ(page()->capture().tests().size(), 1u);
  EXPECT_EQ(page()->capture().tests()[0].end, capture::EndReason::Interrupted);
  EXPECT_EQ(capture()->results()->cellText(0, 9), "interrupted");
}

// A record file opened for review is captured over its samples.
TEST_F(CapturePanelTest, ARecordFileUnderReviewIsCapturedToo) {
  startCapturing();
  QTemporaryDir dir;
  QFile file(dir.filePath("tests.csv"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("No.;Tensometr;\r\n");
  sim::InstrumentModel demo;
  demo.setSignal(sim::Signal::Tests);
  demo.setNoise(0);
  double at = 0;
  demo.setSignalTime([&] { return at; });
  for (int i = 0; i < 4 * 400; ++i) {
    at = i * 0.015;
    file.write(QByteArray::number(i) + ';' + QByteArray::number(demo.measure().tensValue, 'f', 2) + ";\r\n");
  }
  file.close();
  page()->chooseReviewFile = [&] { return file.fileName(); };
  page()->openFileButton()->click();
  ASSERT_TRUE(page()->reviewing());
  ASSERT_EQ(page()->capture().tests().size(), 4u);
  EXPECT_EQ(page()->capture().tests()[2].peak, 590);
  EXPECT_EQ(capture()->results()->rowCount(), 4);
  EXPECT_EQ(capture()->results()->cellText(0, 1), "2,055");  // seconds from the file's start: it has no clock
}

// A test cut off (here by the connection's end) is shown without a verdict
// and counted apart: neither passed nor failed, its peak in no figure.
TEST_F(CapturePanelTest, AnInterruptedTestIsNotJudged) {
  startCapturing();
  run(400 + 10);  // one whole test, 612: PASS
  run(250);       // into the ramp of the next
  ASSERT_TRUE(page()->capture().inTest());
  bus.unplug(bus.devices().front());
  ASSERT_TRUE(testing::PumpUntil([&] { return disconnected(); }));
  ASSERT_EQ(page()->capture().tests().size(), 2u);
  EXPECT_EQ(page()->capture().tests()[1].verdict, capture::Verdict::None);
  EXPECT_EQ(capture()->results()->cellText(1, 4), "");
  const capture::Batch& b = page()->capture().batch();
  EXPECT_EQ(b.tests, 2);
  EXPECT_EQ(b.passed, 1);
  EXPECT_EQ(b.failed, 0);
  EXPECT_EQ(b.interrupted, 1);
  EXPECT_EQ(b.peaks.count(), 1u);
  EXPECT_EQ(capture()->batchLabel()->text(),
            "Tests: 2, passed: 1, failed: 0, interrupted: 1; peak: mean 612,0000, std. dev. 0,0000, from 612,0000 to "
            "612,0000");
}

// With no test yet the batch line has no empty figures.
TEST_F(CapturePanelTest, TheBatchLineWithoutTestsHasNoEmptyFigures) {
  startCapturing();
  EXPECT_EQ(capture()->batchLabel()->text(), "Tests: 0, passed: 0, failed: 0");
}

// Disarmed and armed again in the middle of a ramp: no test starts there,
// as none does when capture is armed for the first time mid-ramp.
TEST_F(CapturePanelTest, ArmingInTheMiddleOfARampStartsNoTestThere) {
  startCapturing();
  capture()->armBox()->setChecked(false);
  run(200);  // resting, then into the ramp
  capture()->armBox()->setChecked(true);
  run(200);  // the rest of the ramp, the break
  EXPECT_TRUE(page()->capture().tests().empty());
  run(400);  // a whole test
  EXPECT_EQ(page()->capture().tests().size(), 1u);

  run(150);  // resting below both levels: armed
  run(60);   // into the ramp
  capture()->armBox()->setChecked(false);
  run(10);
  capture()->armBox()->setChecked(true);
  run(200);
  ASSERT_EQ(page()->capture().tests().size(), 2u);  // the one disarming cut off, and no other
  EXPECT_EQ(page()->capture().tests()[1].end, capture::EndReason::Interrupted);
}

// Hidden and shown again, the page was not fed meanwhile: no line across
// that time, and a test under way when it was hidden ends there.
TEST_F(CapturePanelTest, HidingThePageIsAGapAndEndsATestUnderWay) {
  startCapturing();
  run(250);
  ASSERT_TRUE(page()->capture().inTest());
  const std::size_t kept = page()->liveHistory()->size();
  window->TabSheet5->showChartsBox()->setChecked(false);
  run(100);
  window->TabSheet5->showChartsBox()->setChecked(true);
  run(10);
  ASSERT_EQ(page()->capture().tests().size(), 1u);
  EXPECT_EQ(page()->capture().tests()[0].end, capture::EndReason::Interrupted);
  ASSERT_EQ(page()->liveHistory()->size(), kept + 10);
  EXPECT_TRUE(page()->liveHistory()->gapBefore(kept));
}

// A file under review is judged again when a rule changes or capture is
// armed: every sample is at hand.
TEST_F(CapturePanelTest, AFileUnderReviewIsJudgedAgainByNewRules) {
  startCapturing();
  capture()->armBox()->setChecked(false);
  QTemporaryDir dir;
  QFile file(dir.filePath("tests.csv"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("No.;Tensometr;\r\n");
  sim::InstrumentModel demo;
  demo.setSignal(sim::Signal::Tests);
  demo.setNoise(0);
  double at = 0;
  demo.setSignalTime([&] { return at; });
  for (int i = 0; i < 4 * 400 + 10; ++i) {
    at = i * 0.015;
    file.write(QByteArray::number(i) + ';' + QByteArray::number(demo.measure().tensValue, 'f', 2) + ";\r\n");
  }
  file.close();
  ASSERT_TRUE(page()->load(file.fileName()));
  EXPECT_TRUE(page()->capture().tests().empty());
  capture()->armBox()->setChecked(true);  // armed over the file: captured
  ASSERT_EQ(page()->capture().tests().size(), 4u);
  EXPECT_EQ(page()->capture().tests()[3].peak, 720);
  EXPECT_EQ(page()->capture().tests()[3].verdict, capture::Verdict::Pass);
  ui::NumberEdit* upper = capture()->box(CapturePanel::Upper);
  upper->setText("700");
  emit upper->editingFinished();
  EXPECT_EQ(page()->capture().tests()[3].verdict, capture::Verdict::Fail);
  EXPECT_EQ(capture()->results()->cellText(3, 4), "FAIL");
  EXPECT_EQ(page()->capture().batch().failed, 1);
}

// The table follows the newest row only while it is at the bottom and no
// row is chosen; the chosen test is shown whole, whatever the value zoom.
TEST_F(CapturePanelTest, TheChosenRowStaysWhereItIs) {
  startCapturing();
  run(12 * 400 + 10);  // more rows than the table shows
  QTableView* table = capture()->table();
  ASSERT_EQ(page()->capture().tests().size(), 12u);
  EXPECT_TRUE(table->visualRect(capture()->results()->index(11, 0)).isValid());  // the newest in sight
  table->scrollToTop();
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                    table->visualRect(capture()->results()->index(1, 0)).center());
  const int scrolled = table->verticalScrollBar()->value();
  // A value zoom, then new tests while the row is chosen.
  const QPointF middle = page()->plot()->rect().center();
  QWheelEvent wheel(middle, page()->plot()->mapToGlobal(middle), {}, QPoint(0, 360), Qt::NoButton, Qt::ShiftModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(page()->plot(), &wheel);
  run(2 * 400);
  EXPECT_EQ(page()->capture().tests().size(), 14u);
  EXPECT_EQ(table->verticalScrollBar()->value(), scrolled);
  EXPECT_EQ(table->selectionModel()->selectedRows().value(0).row(), 1);
  // Chosen again: the test whole, in time and in value.
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                    table->visualRect(capture()->results()->index(1, 0)).center());
  const capture::CapturedTest& t = page()->capture().tests()[1];
  page()->plot()->grab();  // the axis is set as the plot is drawn
  EXPECT_LE(page()->plot()->valueRange().low, t.lowest);
  EXPECT_GE(page()->plot()->valueRange().high, t.peak);
}

}  // namespace
}  // namespace vestrix::chart
