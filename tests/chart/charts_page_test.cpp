// The Charts page on the real window, offscreen: hidden unless asked for,
// fed when shown, Play/Stop and its flag, zoom and pan by wheel and mouse,
// the readout, the picture, and a record file opened for review.
#include "chart/charts_page.h"

#include "measure/ui/display_page.h"
#include "protocol/codecs.h"
#include "record/recorder.h"
#include "record/ui/acquisition_page.h"
#include "record/ui/recording_group.h"
#include "ui/number_edit.h"

#include "support/samples.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <limits>

namespace vestrix::chart {
namespace {

class ChartsPageTest : public testing::WindowFixture {
 protected:
  ChartsPage* page() const { return window->TabSheet2; }
  PlotView* plot() const { return page()->plot(); }
  QCheckBox* showBox() const { return window->TabSheet5->showChartsBox(); }
  QStringList visibleTabs() const {
    QStringList tabs;
    for (int i = 0; i < window->PageControl1->count(); ++i) {
      if (window->PageControl1->isTabVisible(i)) tabs << window->PageControl1->tabText(i);
    }
    return tabs;
  }
  // Connected, the instrument's own answers no longer reach the window: the
  // test sends measurements itself, at times of its own clock.
  void startShown() {
    plugInstrument();
    start();
    ASSERT_TRUE(connected());
    // Once the instrument has said its unit.
    ASSERT_TRUE(testing::PumpUntil([&] { return window->unit() != measure::ForceUnit::Unknown; }));
    window->ActiveDevice()->setReportHandler({});
    window->MonotonicClockMs = [this] { return nowMs; };
    showBox()->setChecked(true);
    window->PageControl1->setCurrentWidget(page());
    window->show();
  }
  void measure(float tens, std::int64_t atMs) {
    nowMs = atMs;
    protocol::MeasurementSample s = testing::ScriptedSample();
    s.tensValue = tens;
    const auto m = protocol::EncodeMeasurement(s);
    std::vector<std::uint8_t> report(m.begin(), m.end());
    report.resize(63);
    window->HandleDeviceReport(*window->ActiveDevice(), 1, report.data(), 63);
  }
  void wheel(QPointF at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(at, plot()->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(plot(), &event);
  }

  std::int64_t nowMs = 1000000;
};

TEST_F(ChartsPageTest, HiddenAndOutOfReachUnlessAskedFor) {
  start();
  window->show();
  QTabWidget* pages = window->PageControl1;
  EXPECT_FALSE(showBox()->isChecked());
  EXPECT_EQ(visibleTabs(), QStringList({"Display", "Data acquisition", "Device configuration", "Program settings"}));
  EXPECT_FALSE(pages->isTabEnabled(1));
  auto cycle = [&] {
    QStringList reached;
    pages->setCurrentWidget(window->TabSheet1);
    for (int i = 0; i < 5; ++i) {
      QTest::keyClick(pages, Qt::Key_Tab, Qt::ControlModifier);
      reached << pages->tabText(pages->currentIndex());
    }
    pages->setCurrentWidget(window->TabSheet1);
    QTest::keyClick(pages->tabBar(), Qt::Key_Right);
    reached << pages->tabText(pages->currentIndex());
    pages->setCurrentWidget(window->TabSheet1);
    QWheelEvent down(QPointF(20, 10), pages->tabBar()->mapToGlobal(QPointF(20, 10)), {}, QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pages->tabBar(), &down);
    reached << pages->tabText(pages->currentIndex());
    return reached;
  };
  EXPECT_FALSE(cycle().contains("Charts"));

  showBox()->setChecked(true);
  EXPECT_EQ(visibleTabs(),
            QStringList({"Display", "Charts", "Data acquisition", "Device configuration", "Program settings"}));
  const QStringList reached = cycle();
  EXPECT_EQ(reached.mid(0, 2), QStringList({"Charts", "Data acquisition"}));  // Ctrl+Tab
  EXPECT_EQ(reached[5], "Charts");                                            // the arrow key
  EXPECT_EQ(reached[6], "Charts");                                            // the wheel
  pages->setCurrentWidget(window->TabSheet1);
  QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
  EXPECT_EQ(pages->currentWidget(), page());

  // Unticked while in front: back to Display, and out of reach again.
  showBox()->setChecked(false);
  EXPECT_EQ(pages->currentWidget(), window->TabSheet1);
  EXPECT_FALSE(pages->isTabVisible(1));
  EXPECT_FALSE(cycle().contains("Charts"));
}

TEST_F(ChartsPageTest, TheChoiceIsKeptInTheSettingsFile) {
  start();
  EXPECT_FALSE(settings::IniFile(settings.path()).has("Options", "ShowCharts"));
  showBox()->setChecked(true);
  page()->spanList()->setCurrentIndex(2);
  window->close();
  window.reset();
  EXPECT_EQ(settings::IniFile(settings.path()).readInteger("Options", "ShowCharts", -1), 1);
  EXPECT_EQ(settings::IniFile(settings.path()).readInteger("Options", "ChartSpan", -1), 2);
  start();
  EXPECT_TRUE(showBox()->isChecked());
  EXPECT_TRUE(window->PageControl1->isTabVisible(1));
  EXPECT_EQ(page()->spanList()->currentIndex(), 2);
  showBox()->setChecked(false);
  window->close();
  window.reset();
  EXPECT_EQ(settings::IniFile(settings.path()).readInteger("Options", "ShowCharts", -1), 0);
}

TEST_F(ChartsPageTest, FedOnlyWhileShownAndANewConnectionStartsANewRun) {
  plugInstrument();
  start();
  ASSERT_TRUE(testing::PumpUntil([&] { return window->latestSample().year != 0; }));
  testing::PumpFor(100);
  EXPECT_EQ(page()->liveHistory(), nullptr);  // not shown: nothing kept
  showBox()->setChecked(true);
  ASSERT_TRUE(testing::PumpUntil([&] { return page()->liveHistory() && page()->liveHistory()->size() > 5; }));
  EXPECT_FALSE(page()->liveHistory()->gapBefore(1));
  const std::size_t before = page()->liveHistory()->size();
  bus.unplug(bus.devices().front());
  ASSERT_TRUE(testing::PumpUntil([&] { return disconnected(); }));
  const std::size_t atUnplug = page()->liveHistory()->size();
  plugInstrument();
  ASSERT_TRUE(testing::PumpUntil([&] { return page()->liveHistory()->size() > atUnplug; }));
  EXPECT_GT(atUnplug, before - 1);
  EXPECT_TRUE(page()->liveHistory()->gapBefore(atUnplug));  // the line does not cross the pause
}

// A sample that changes nothing on the screen costs no repaint; many that
// do cost one a screen refresh; out of sight, none.
TEST_F(ChartsPageTest, RepaintsOnlyWhatChangedAndNotMoreOftenThanTheScreen) {
  startShown();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  measure(100, 1000000);
  ASSERT_TRUE(testing::PumpUntil([&] { return plot()->repaints() > 0 && !plot()->repaintPending(); }));
  const int first = plot()->repaints();
  measure(0, 1000001);  // the last column grows: due
  ASSERT_TRUE(testing::PumpUntil([&] { return !plot()->repaintPending() && plot()->repaints() > first; }));
  QApplication::processEvents();  // any update still posted is painted now
  const int painted = plot()->repaints();
  for (int i = 2; i < 10; ++i) measure(50, 1000000 + i);  // inside the last column's extent
  EXPECT_FALSE(plot()->repaintPending());
  for (int i = 10; i < 40; ++i) measure(static_cast<float>(100 + i), 1000000 + i);  // thirty new extents at once
  EXPECT_TRUE(plot()->repaintPending());
  ASSERT_TRUE(testing::PumpUntil([&] { return !plot()->repaintPending() && plot()->repaints() > painted; }));
  EXPECT_EQ(plot()->repaints(), painted + 1);
  // Out of sight: nothing is due, whatever comes.
  window->PageControl1->setCurrentWidget(window->TabSheet1);
  for (int i = 40; i < 400; ++i) measure(static_cast<float>(i), 1000000 + i * 15);
  EXPECT_FALSE(plot()->repaintPending());
}

TEST_F(ChartsPageTest, PlayStopFreezesTheViewWhileTheDataIsKept) {
  startShown();
  for (int i = 0; i < 100; ++i) measure(static_cast<float>(i), 1000000 + i * 15);
  EXPECT_TRUE(plot()->live());
  EXPECT_EQ(plot()->viewTo(), plot()->viewFrom() + 10000);
  page()->playStopButton()->click();
  EXPECT_EQ(window->PlayStop, 1);
  EXPECT_FALSE(plot()->live());
  const std::int64_t from = plot()->viewFrom();
  const std::int64_t to = plot()->viewTo();
  for (int i = 100; i < 2000; ++i) measure(static_cast<float>(i), 1000000 + i * 15);
  EXPECT_EQ(page()->liveHistory()->size(), 2000u);  // kept
  EXPECT_EQ(plot()->viewFrom(), from);              // not shown
  EXPECT_EQ(plot()->viewTo(), to);
  window->BitBtn1Click();  // the window's handler: the same flag
  EXPECT_EQ(window->PlayStop, 0);
  EXPECT_TRUE(plot()->live());
  EXPECT_GT(plot()->viewFrom(), from);
  // A double click on a stopped plot returns to the live view.
  page()->playStopButton()->click();
  QTest::mouseDClick(plot(), Qt::LeftButton, {}, plot()->plotRect().center());
  EXPECT_EQ(window->PlayStop, 0);
  EXPECT_TRUE(plot()->live());
}

TEST_F(ChartsPageTest, WheelZoomsAroundThePointerDragPansShiftWheelZoomsValues) {
  startShown();
  for (int i = 0; i < 2000; ++i) measure(static_cast<float>(i % 100), 1000000 + i * 15);
  page()->playStopButton()->click();
  const QRect r = plot()->plotRect();
  const QPointF at(r.left() + r.width() / 4.0, r.center().y());
  const auto timeAt = [&](double x) {
    return plot()->viewFrom() + (x - r.left()) * (plot()->viewTo() - plot()->viewFrom()) / r.width();
  };
  const double pointed = timeAt(at.x());
  const std::int64_t span = plot()->viewTo() - plot()->viewFrom();
  wheel(at, 120);  // in
  EXPECT_NEAR(static_cast<double>(plot()->viewTo() - plot()->viewFrom()), span * 0.8, 2);
  EXPECT_NEAR(timeAt(at.x()), pointed, 2);  // the time under the pointer stays
  wheel(at, -240);                          // out, twice
  EXPECT_NEAR(static_cast<double>(plot()->viewTo() - plot()->viewFrom()), span * 0.8 / 0.64, 3);
  EXPECT_NEAR(timeAt(at.x()), pointed, 3);

  // A drag by a quarter of the width moves the view back by a quarter span.
  const std::int64_t from = plot()->viewFrom();
  const std::int64_t width = plot()->viewTo() - plot()->viewFrom();
  QTest::mousePress(plot(), Qt::LeftButton, {}, r.center());
  QMouseEvent move(QEvent::MouseMove, QPointF(r.center().x() + r.width() / 4.0, r.center().y()),
                   plot()->mapToGlobal(QPointF(r.center().x() + r.width() / 4.0, r.center().y())), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(plot(), &move);
  QTest::mouseRelease(plot(), Qt::LeftButton, {}, QPoint(r.center().x() + r.width() / 4, r.center().y()));
  EXPECT_NEAR(static_cast<double>(plot()->viewFrom()), from - width / 4.0, 2);

  // Shift+wheel: the values around the pointer, from the range painted.
  plot()->grab();
  const ValueRange before = plot()->valueRange();
  wheel(QPointF(r.center()), 120, Qt::ShiftModifier);
  const ValueRange after = plot()->valueRange();
  EXPECT_NEAR(after.high - after.low, (before.high - before.low) * 0.8, 1e-6);
  EXPECT_GT(after.low, before.low);
  EXPECT_LT(after.high, before.high);

  // While live, the wheel does nothing to the view.
  window->BitBtn1Click();
  const std::int64_t liveFrom = plot()->viewFrom();
  wheel(at, 120);
  EXPECT_EQ(plot()->viewFrom(), liveFrom);
}

TEST_F(ChartsPageTest, TheReadoutShowsTheNearestSampleAsTheDisplayPageWritesIt) {
  startShown();
  measure(12.5f, 1000000);
  measure(std::numeric_limits<float>::quiet_NaN(), 1000015);
  measure(std::numeric_limits<float>::infinity(), 1000030);
  page()->playStopButton()->click();
  plot()->showRange(1000000, 1000030);
  const QRect r = plot()->plotRect();
  auto valueAt = [&](double share) {
    return plot()->readoutAt(static_cast<int>(std::lround(r.left() + share * r.width()))).split('\n').value(1);
  };
  // The simulated instrument measures in newtons.
  EXPECT_EQ(valueAt(0.1), "12.5000 N");
  EXPECT_EQ(valueAt(0.5), "NAN N");
  EXPECT_EQ(valueAt(0.95), "INF N");
  page()->seriesBox(SeriesKind::Max)->setChecked(true);
  EXPECT_EQ(plot()->readoutAt(r.left()).split('\n').value(2), "99999.0000");
  // The automatic scale took no notice of the values that are not finite.
  EXPECT_TRUE(std::isfinite(plot()->valueRange().high));
  EXPECT_GT(plot()->grab().width(), 0);  // and painting them crashes nothing
}

// Ctrl+click sets the second cursor at a sample; the readout then gives the
// time from it and each series' change and rate; Escape takes it away.
TEST_F(ChartsPageTest, TheSecondCursorGivesTheDifferencesToThePointer) {
  startShown();
  measure(100, 1000000);
  measure(112.5f, 1001250);
  page()->seriesBox(SeriesKind::Counter)->setChecked(true);
  page()->playStopButton()->click();
  plot()->showRange(1000000, 1001251);
  const QRect r = plot()->plotRect();
  QTest::mouseClick(plot(), Qt::LeftButton, Qt::ControlModifier, QPoint(r.left() + 2, r.center().y()));
  EXPECT_EQ(plot()->fixedCursor(), 1000000);
  EXPECT_FALSE(plot()->live());  // a Ctrl+click is no drag and no zoom
  const QStringList lines = plot()->readoutAt(r.right() - 2).split('\n');
  ASSERT_EQ(lines.size(), 6) << lines.join(" | ").toStdString();
  EXPECT_EQ(lines[3], QString::fromUtf8("\u0394t 1.250 s"));
  EXPECT_EQ(lines[4], QString::fromUtf8("\u0394 12.5000 N, 10.0000 N/s"));
  EXPECT_TRUE(lines[5].startsWith(QString::fromUtf8("\u0394 "))) << lines[5].toStdString();
  plot()->setFocus();
  QTest::keyClick(plot(), Qt::Key_Escape);
  EXPECT_FALSE(plot()->fixedCursor());
  EXPECT_EQ(plot()->readoutAt(r.right() - 2).split('\n').size(), 3);
}

// Stopped: a right-button drag zooms to its rectangle in time and value,
// the keys zoom and pan, and Backspace goes back step by step.
TEST_F(ChartsPageTest, RectangleZoomKeysAndBackspaceUndo) {
  startShown();
  for (int i = 0; i <= 100; ++i) measure(static_cast<float>(i), 1000000 + i * 10);
  page()->playStopButton()->click();
  plot()->showRange(1000000, 1001000);
  plot()->grab();
  const QRect r = plot()->plotRect();
  const ValueRange values = plot()->valueRange();
  const QPoint a(r.left() + r.width() / 4, r.top() + r.height() / 4);
  const QPoint b(r.left() + 3 * r.width() / 4, r.top() + 3 * r.height() / 4);
  QTest::mousePress(plot(), Qt::RightButton, {}, a);
  QMouseEvent move(QEvent::MouseMove, QPointF(b), plot()->mapToGlobal(QPointF(b)), Qt::NoButton, Qt::RightButton, {});
  QApplication::sendEvent(plot(), &move);
  EXPECT_FALSE(plot()->zoomRectangle().isEmpty());
  QTest::mouseRelease(plot(), Qt::RightButton, {}, b);
  EXPECT_TRUE(plot()->zoomRectangle().isEmpty());
  EXPECT_NEAR(plot()->viewFrom(), 1000250, 5);
  EXPECT_NEAR(plot()->viewTo(), 1000750, 5);
  const double quarter = (values.high - values.low) / 4;
  EXPECT_NEAR(plot()->valueRange().low, values.low + quarter, quarter / 20);
  EXPECT_NEAR(plot()->valueRange().high, values.high - quarter, quarter / 20);

  plot()->setFocus();
  const std::int64_t span = plot()->viewTo() - plot()->viewFrom();
  QTest::keyClick(plot(), Qt::Key_Plus);
  EXPECT_NEAR(plot()->viewTo() - plot()->viewFrom(), span * 0.8, 2);
  const std::int64_t from = plot()->viewFrom();
  QTest::keyClick(plot(), Qt::Key_Right);
  EXPECT_GT(plot()->viewFrom(), from);
  EXPECT_EQ(plot()->viewSteps(), 3u);
  for (int i = 0; i < 3; ++i) QTest::keyClick(plot(), Qt::Key_Backspace);
  EXPECT_EQ(plot()->viewFrom(), 1000000);
  EXPECT_EQ(plot()->viewTo(), 1001000);
  plot()->grab();
  EXPECT_DOUBLE_EQ(plot()->valueRange().low, values.low);
  EXPECT_DOUBLE_EQ(plot()->valueRange().high, values.high);
  EXPECT_FALSE(plot()->undoViewStep());  // nothing left
  // A right click without a drag zooms nothing.
  QTest::mouseClick(plot(), Qt::RightButton, {}, a);
  EXPECT_EQ(plot()->viewSteps(), 0u);
}

TEST_F(ChartsPageTest, AFixedValueRangeIsValidatedLikeTheConfigurationPage) {
  startShown();
  measure(5, 1000000);
  measure(7, 1000015);
  page()->autoScaleBox()->setChecked(false);
  page()->minimumBox()->setText("-2,5");
  page()->maximumBox()->setText("10");
  window->setDecimalSeparator(QLatin1Char(','));
  page()->autoScaleBox()->setChecked(true);
  page()->autoScaleBox()->setChecked(false);
  plot()->grab();  // painted as it stands
  EXPECT_FALSE(page()->minimumBox()->invalid());
  EXPECT_DOUBLE_EQ(plot()->valueRange().low, -2.5);
  EXPECT_DOUBLE_EQ(plot()->valueRange().high, 10);
  page()->maximumBox()->setText("ten");
  emit page()->maximumBox()->editingFinished();
  EXPECT_TRUE(page()->maximumBox()->invalid());
  EXPECT_FALSE(page()->minimumBox()->invalid());
  plot()->grab();
  EXPECT_LT(plot()->valueRange().high, 10);  // not used: automatic again
}

TEST_F(ChartsPageTest, SavesThePlotAsAPictureAndRefusesWhatIsNoFile) {
  startShown();
  for (int i = 0; i < 50; ++i) measure(static_cast<float>(i), 1000000 + i * 15);
  QTemporaryDir dir;
  page()->chooseImageFile = [&] { return dir.filePath("plot"); };
  page()->saveImageButton()->click();
  QImage saved(dir.filePath("plot.png"));
  ASSERT_FALSE(saved.isNull());
  // The plot, with its title and legend above it.
  EXPECT_EQ(saved.width(), plot()->width() * plot()->devicePixelRatio());
  EXPECT_GT(saved.height(), plot()->height() * plot()->devicePixelRatio());
  EXPECT_EQ(panel(0), message("IDS_CHART_SAVED").arg(dir.filePath("plot.png")));
  // A folder is never replaced by a picture.
  const QString folder = dir.filePath("folder.png");
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
  EXPECT_FALSE(page()->saveImage(folder));
  EXPECT_EQ(panel(0), message("IDS_CHART_NOT_FILE").arg(folder));
}

// A name that ends in ".pdf" is a vector PDF of the same picture: its text
// holds the title, the date and the legend with the unit. The clipboard gets
// the picture too.
TEST_F(ChartsPageTest, SavesThePictureAsAPdfWithItsLegendAndCopiesIt) {
  startShown();
  page()->wallClockMs = [] { return std::int64_t{1796889600000}; };  // the picture's date, read twice alike
  page()->seriesBox(SeriesKind::Counter)->setChecked(true);
  for (int i = 0; i < 50; ++i) measure(static_cast<float>(i), 1000000 + i * 15);
  QTemporaryDir dir;
  page()->chooseImageFile = [&] { return dir.filePath("plot.pdf"); };
  page()->saveImageButton()->click();
  QFile pdf(dir.filePath("plot.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
  EXPECT_FALSE(QFile::exists(dir.filePath("plot.pdf.png")));
  EXPECT_EQ(panel(0), message("IDS_CHART_SAVED").arg(dir.filePath("plot.pdf")));
  const PictureTexts texts = page()->pictureTexts();
  EXPECT_EQ(texts.title, message("TXT_PICTURE_LIVE"));
  ASSERT_EQ(texts.legend.size(), 2u);
  EXPECT_EQ(texts.legend[0].first, "Tensometric [N]");
  EXPECT_EQ(texts.legend[1].first, "Counter");

  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {dir.filePath("plot.pdf"), QStringLiteral("-")});
  if (!pdftotext.waitForStarted()) GTEST_SKIP() << "no pdftotext here (poppler-utils)";
  ASSERT_TRUE(pdftotext.waitForFinished());
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  for (const QString& expected : {texts.title, texts.date, QString("Tensometric [N]"), QString("Counter")}) {
    EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " not in: " << text.toStdString();
  }

  QGuiApplication::clipboard()->clear();
  page()->copyImage();
  EXPECT_EQ(QGuiApplication::clipboard()->image().width(), plot()->width() * plot()->devicePixelRatio());
  EXPECT_EQ(panel(0), message("IDS_CHART_COPIED"));
}

// What the recorder writes, the review opens: the same values at the
// records' times, each run a segment, and the lines that are not records
// counted.
TEST_F(ChartsPageTest, ARecordFileOpensForReview) {
  startShown();
  QTemporaryDir dir;
  const QString path = dir.filePath("run.csv");
  std::int64_t clockMs = 0;
  int second = 0;
  record::RecordingState recorder([&] { return record::ClockReading{2026, 12, 10, 8, 30, second, 0}; },
                                  [&] { return clockMs; });
  record::RecordSetup setup{0, {true, true, true, true, true, false, false, false}, path, QLatin1Char(',')};
  protocol::MeasurementSample s = testing::ScriptedSample();
  for (int run = 0; run < 2; ++run) {
    recorder.runChanged(true);
    for (int i = 0; i < 5; ++i) {
      s.tensValue = static_cast<float>(run * 10 + i) + 0.25f;
      second = run * 10 + i;
      recorder.RecordingStep(s, setup);
    }
    recorder.runChanged(false);
  }
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("some foreign line\r\nand another\r\n");
  }
  page()->chooseReviewFile = [&] { return path; };
  page()->openFileButton()->click();
  ASSERT_TRUE(page()->reviewing());
  EXPECT_EQ(window->PlayStop, 1);  // it opens stopped
  EXPECT_FALSE(plot()->live());
  const SampleHistory& h = *page()->reviewHistory();
  ASSERT_EQ(h.size(), 10u);
  for (std::size_t i = 0; i < h.size(); ++i) {
    const int run = static_cast<int>(i / 5);
    EXPECT_FLOAT_EQ(h.value(0, i), static_cast<float>(run * 10 + static_cast<int>(i % 5)) + 0.25f) << i;
    EXPECT_EQ(h.time(i) - h.time(0), (run * 10 + static_cast<int>(i % 5)) * 1000) << i;  // the records' clock
    EXPECT_EQ(h.gapBefore(i), i == 5) << i;
  }
  EXPECT_TRUE(page()->seriesBox(SeriesKind::Counter)->isVisible());
  EXPECT_FALSE(page()->seriesBox(SeriesKind::Out1)->isVisible());  // a column the file lacks
  EXPECT_TRUE(panel(0).endsWith("run.csv: 10 records in 2 runs read, 2 lines skipped")) << panel(0).toStdString();
  // Play: back to the live view.
  page()->playStopButton()->click();
  EXPECT_FALSE(page()->reviewing());
  EXPECT_TRUE(plot()->live());
}

}  // namespace
}  // namespace vestrix::chart
