// The Charts page as a user works it: files that are no record files,
// dialogs that ask about the file they will write, zoom within limits and
// back to the whole, the reviewed file's name, and texts that fit.
#include "chart/capture_panel.h"
#include "chart/charts_page.h"
#include "i18n/counted_text.h"
#include "protocol/codecs.h"

#include "support/samples.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

namespace vestrix::chart {
namespace {

class ChartsReview : public testing::WindowFixture {
 protected:
  ChartsPage* page() const { return window->TabSheet2; }
  PlotView* plot() const { return page()->plot(); }
  void startShown() {
    plugInstrument();
    start();
    ASSERT_TRUE(connected());
    window->ActiveDevice()->setReportHandler({});
    window->MonotonicClockMs = [this] { return nowMs; };
    window->TabSheet5->showChartsBox()->setChecked(true);
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
  QString write(const QString& name, const QByteArray& content) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return file.fileName();
  }
  void wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at = plot()->plotRect().center();
    QWheelEvent event(at, plot()->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(plot(), &event);
  }

  QTemporaryDir dir;
  std::int64_t nowMs = 1000000;
};

// Two runs of five records each, one with every column but the relays.
QByteArray TwoRuns() {
  QByteArray text = "No.;Tensometr;\r\n";
  for (int i = 0; i < 5; ++i) text += QByteArray::number(i) + ";" + QByteArray::number(i * 10) + ".00;\r\n";
  text += "No.;Enkoder;\r\n";
  for (int i = 0; i < 5; ++i) text += QByteArray::number(i) + ";" + QByteArray::number(i) + ".00;\r\n";
  return text;
}

// Random bytes, or a file without a single header, are said to be no
// record file; the file under review stays, under its own name.
TEST_F(ChartsReview, AFileThatIsNoRecordFileIsSaidToBeOneAndLeavesTheReviewAsItWas) {
  startShown();
  ASSERT_TRUE(page()->load(write("run.csv", TwoRuns())));
  EXPECT_EQ(page()->fileLabel()->text(), "run.csv");
  EXPECT_TRUE(page()->fileLabel()->isVisible());
  EXPECT_FALSE(page()->spanList()->isVisible());
  QByteArray noise;
  std::uint32_t x = 7;
  for (int i = 0; i < 200000; ++i) {
    x = x * 1664525u + 1013904223u;
    noise.push_back(static_cast<char>((x >> 24) % 8 == 0 ? '\n' : x >> 16));
  }
  for (const QString& other : {write("noise.bin", noise), write("text.txt", "hello\r\nworld\r\n")}) {
    EXPECT_FALSE(page()->load(other));
    EXPECT_EQ(panel(0), message("IDS_CHART_NOT_RECORDS").arg(other));
    EXPECT_EQ(page()->reviewPath(), dir.filePath("run.csv"));
    EXPECT_EQ(page()->fileLabel()->text(), "run.csv");
    EXPECT_EQ(page()->reviewHistory()->size(), 10u);
  }
}

// The recorder's default columns hold the counter alone: opened while only
// the strain-gauge input is ticked, the counter is ticked, so that
// something is drawn.
TEST_F(ChartsReview, WhenNoTickedSeriesIsInTheFileTheFirstPresentIsTicked) {
  startShown();
  ASSERT_TRUE(page()->seriesBox(SeriesKind::Tens)->isChecked());
  ASSERT_FALSE(page()->seriesBox(SeriesKind::Counter)->isChecked());
  ASSERT_TRUE(page()->load(write("default.csv", "Date;Time;No.;Enkoder;\r\n10-12-2026;9:0:0:0;0;5.00;\r\n")));
  EXPECT_TRUE(page()->seriesBox(SeriesKind::Counter)->isChecked());
  EXPECT_TRUE(plot()->seriesVisible(1));
  // A file with a ticked series changes no tick.
  ASSERT_TRUE(page()->load(write("both.csv", "No.;Tensometr;Enkoder;\r\n0;1.00;2.00;\r\n")));
  EXPECT_TRUE(page()->seriesBox(SeriesKind::Counter)->isChecked());
}

// The export and the picture ask about the file they will write: typed
// without its extension, the name with it; nothing is replaced unasked.
TEST_F(ChartsReview, SaveDialogsAskAboutTheFileThatWillBeWritten) {
  startShown();
  for (int i = 0; i < 20; ++i) measure(static_cast<float>(i), 1000000 + i * 15);
  const QString earlier = write("results.csv", "the earlier batch\r\n");
  write("plot.png", "an earlier picture");
  QStringList asked;
  bool replace = false;
  page()->confirmReplace = [&](const QString& path) {
    asked << path;
    return replace;
  };
  page()->chooseResultsFile = [&] { return dir.filePath("results"); };
  page()->chooseImageFile = [&] { return dir.filePath("plot"); };
  page()->capturePanel()->exportButton()->click();
  page()->saveImageButton()->click();
  EXPECT_EQ(asked, QStringList({dir.filePath("results.csv"), dir.filePath("plot.png")}));
  {
    QFile kept(earlier);  // closed again: Windows replaces no file that is open
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "the earlier batch\r\n");  // declined: untouched
  }
  replace = true;
  page()->capturePanel()->exportButton()->click();
  QFile replaced(earlier);
  ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
  EXPECT_TRUE(replaced.readAll().startsWith("Direction;Start level"));
  // A new file is written without a question.
  asked.clear();
  page()->chooseResultsFile = [&] { return dir.filePath("new"); };
  page()->capturePanel()->exportButton()->click();
  EXPECT_TRUE(asked.isEmpty());
  EXPECT_TRUE(QFile::exists(dir.filePath("new.csv")));
}

// However long the wheel turns, the view stays between a millisecond and a
// little more than the data; Fit all and its key show the whole; a double
// click over a file under review shows it whole and keeps it.
TEST_F(ChartsReview, ZoomStaysWithinLimitsAndFitAllShowsTheWhole) {
  startShown();
  ASSERT_TRUE(page()->load(write("run.csv", TwoRuns())));
  const std::int64_t first = page()->reviewHistory()->time(0);
  const std::int64_t last = page()->reviewHistory()->time(9);
  for (int i = 0; i < 200; ++i) wheel(-120);  // out
  EXPECT_LE(plot()->viewTo() - plot()->viewFrom(), plot()->widestSpan());
  EXPECT_LE(plot()->viewFrom(), last);
  EXPECT_GE(plot()->viewTo(), first);
  for (int i = 0; i < 400; ++i) wheel(120);  // in
  EXPECT_GE(plot()->viewTo() - plot()->viewFrom(), PlotView::kLeastSpanMs);
  for (int i = 0; i < 200; ++i) wheel(120, Qt::ShiftModifier);
  plot()->grab();
  EXPECT_GT(plot()->valueRange().high, plot()->valueRange().low);

  page()->fitAllButton()->click();
  EXPECT_EQ(plot()->viewFrom(), first);
  EXPECT_EQ(plot()->viewTo(), last + 1);
  wheel(120);
  QApplication::setActiveWindow(window.get());
  plot()->setFocus();
  QTest::keyClick(plot(), Qt::Key_Home);
  EXPECT_EQ(plot()->viewFrom(), first);
  wheel(120);
  QTest::mouseDClick(plot(), Qt::LeftButton, {}, plot()->plotRect().center());
  EXPECT_TRUE(page()->reviewing());
  EXPECT_EQ(plot()->viewFrom(), first);
  EXPECT_EQ(plot()->viewTo(), last + 1);
  // Play is what leaves it.
  page()->playStopButton()->click();
  EXPECT_FALSE(page()->reviewing());
  EXPECT_FALSE(page()->fileLabel()->isVisible());
  EXPECT_TRUE(page()->spanList()->isVisible());
}

// The texts of the page fit their places, in both languages.
TEST_F(ChartsReview, TextsFitTheirPlaces) {
  startShown();
  for (int n = 0; n < 1200; ++n) measure(n % 100 < 10 ? 0.0f : static_cast<float>(n % 100), 1000000 + n * 15);
  for (int language : {1, 2}) {
    window->LangCombo1Change(language - 1);
    QComboBox* span = page()->spanList();
    for (int i = 0; i < span->count(); ++i) {
      const int room = span->width() - span->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 8;
      EXPECT_LE(span->fontMetrics().horizontalAdvance(span->itemText(i)), room) << span->itemText(i).toStdString();
    }
    QTableView* table = page()->capturePanel()->table();
    // As an item view lays a cell out: a margin on either side of its text.
    const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    EXPECT_LE(table->fontMetrics().horizontalAdvance("99999") + margin, table->columnWidth(0));
    EXPECT_LE(table->horizontalHeader()->fontMetrics().horizontalAdvance(
                  page()->capturePanel()->results()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString()) +
                  margin,
              table->columnWidth(0));
    QPushButton* fit = page()->fitAllButton();
    EXPECT_LE(fit->fontMetrics().horizontalAdvance(fit->text()) + 8, fit->width()) << fit->text().toStdString();
  }
  window->LangCombo1Change(0);
  EXPECT_EQ(window->TabSheet5->showChartsBox()->text(), "Pokazuj stronę wykresu");
}

// The readout stays off a peak at the top of the plot, and no time label
// reaches under the value labels.
TEST_F(ChartsReview, TheReadoutAndTheLabelsLeaveTheDataAndEachOtherInSight) {
  startShown();
  for (int i = 0; i < 400; ++i) measure(i > 150 && i < 250 ? 1000.0f : 0.0f, 1000000 + i * 15);
  page()->playStopButton()->click();
  plot()->showRange(1000000, 1000000 + 400 * 15);
  const QRect r = plot()->plotRect();
  const QPoint over(r.left() + r.width() * 175 / 400, r.center().y());
  QMouseEvent move(QEvent::MouseMove, over, plot()->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(plot(), &move);
  plot()->grab();
  const QRect box = plot()->readoutBox();
  ASSERT_FALSE(box.isEmpty());
  EXPECT_GT(box.top(), r.center().y()) << "the readout covers the peak at the top";
  // Over the rest (low values, at the bottom), it stands at the top.
  const QPoint low(r.left() + r.width() / 20, r.center().y());
  QMouseEvent moveLow(QEvent::MouseMove, low, plot()->mapToGlobal(low), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(plot(), &moveLow);
  plot()->grab();
  EXPECT_LT(plot()->readoutBox().bottom(), r.center().y());
  // Wherever the view begins, the first time label stays right of the value labels.
  for (int shift = 0; shift < 2000; shift += 137) {
    plot()->showRange(1000000 + shift, 1000000 + shift + 3000);
    plot()->grab();
    if (plot()->firstTimeLabelLeft() >= 0) {
      EXPECT_GE(plot()->firstTimeLabelLeft(), r.left()) << shift;
    }
  }
}

// Counts in words as each language wants them.
TEST(CountedText, PolishAndEnglishForms) {
  const QString polish = "%n pomiar|%n pomiary|%n pomiarów";
  const QString english = "%n record|%n records";
  struct Case {
    std::int64_t n;
    const char* polish;
    const char* english;
  };
  for (const Case c :
       {Case{1, "1 pomiar", "1 record"}, Case{2, "2 pomiary", "2 records"}, Case{4, "4 pomiary", "4 records"},
        Case{5, "5 pomiarów", "5 records"}, Case{12, "12 pomiarów", "12 records"},
        Case{14, "14 pomiarów", "14 records"}, Case{22, "22 pomiary", "22 records"}, Case{0, "0 pomiarów", "0 records"},
        Case{112, "112 pomiarów", "112 records"}, Case{1001, "1001 pomiarów", "1001 records"}}) {
    EXPECT_EQ(i18n::CountedText(polish, c.n), c.polish);
    EXPECT_EQ(i18n::CountedText(english, c.n), c.english);
  }
}

// A run of one record in Polish: "1 pomiar w 1 serii".
TEST_F(ChartsReview, TheReadLineCountsInPolish) {
  startShown();
  window->LangCombo1Change(0);
  const QString path = write("one.csv", "No.;Tensometr;\r\n0;1.00;\r\n");
  ASSERT_TRUE(page()->load(path));
  EXPECT_EQ(panel(0), path + ": 1 pomiar w 1 serii, pominięto 0 wierszy");
}

}  // namespace
}  // namespace vestrix::chart
