#include "measure/ui/display_page.h"

#include "measure/display_texts.h"
#include "measure/ui/value_field.h"
#include "protocol/message_codes.h"

#include "support/samples.h"
#include "support/window_fixture.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace vestrix::measure {
namespace {

using testing::ScriptedSample;

TEST(DisplayTexts, FollowTheFieldRules) {
  const DisplayTexts point = FormatSample(ScriptedSample(), QLatin1Char('.'));
  EXPECT_EQ(point.date, "9-1-2015");
  EXPECT_EQ(point.time, "14:5:9");
  EXPECT_EQ(point.tens, "12.5000");
  EXPECT_EQ(point.counter, "0.0000");
  EXPECT_EQ(point.analog, "1234.5679");
  EXPECT_EQ(point.min, "-7.1250");
  EXPECT_EQ(point.max, "99999.0000");
  EXPECT_EQ(point.relay1, "HIGH");
  EXPECT_EQ(point.relay2, "LOW");
  EXPECT_EQ(FormatSample(ScriptedSample(), QLatin1Char(',')).tens, "12,5000");
  protocol::MeasurementSample zeroMonth = ScriptedSample();
  zeroMonth.month = 0;
  EXPECT_EQ(FormatSample(zeroMonth, QLatin1Char('.')).date, "9-0-2015");
}

class DisplayPageOnWindow : public testing::WindowFixture {
 protected:
  // A report as the instrument's reader hands it over.
  void deliver(const protocol::MeasurementSample& s) {
    const auto message = protocol::EncodeMeasurement(s);
    ASSERT_FALSE(window->deviceLines().empty());
    window->HandleDeviceReport(*window->deviceLines()[0].device, 1, message.data(),
                               static_cast<std::uint16_t>(message.size()));
  }
  QString field(const char* name) const { return window->findChild<measure::ValueField*>(name)->text(); }
};

TEST_F(DisplayPageOnWindow, ShowsNoValueUntilTheFirstMeasurement) {
  start();
  for (const char* name :
       {"DateLabel", "TimeLabel", "TensLabel", "EncLabel", "ULabel", "MinLabel", "MaxLabel", "Pk1Label", "Pk2Label"}) {
    EXPECT_EQ(field(name), "-------------") << name;
  }
  auto* reset = window->findChild<QPushButton*>("BitBtn4");
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(reset->text(), "Reset (MIN, MAX)");
  EXPECT_EQ(reset->geometry(), QRect(440, 355, 154, 102));
  EXPECT_EQ(window->findChild<measure::ValueField*>("TensLabel")->geometry(), QRect(105, 93, 489, 75));
  reset->click();  // not connected: sends nothing, shows nothing
  EXPECT_EQ(panel(0), "");
}

struct SeparatorCase {
  char separator;
  const char* tens;
};

void PrintTo(const SeparatorCase& c, std::ostream* os) { *os << c.separator; }

class Separator : public DisplayPageOnWindow, public ::testing::WithParamInterface<SeparatorCase> {};

TEST_P(Separator, ScriptedSampleOnThePage) {
  bus.plug(testing::DeviceSpec(u"Keyboard"));
  start();
  window->setDecimalSeparator(QLatin1Char(GetParam().separator));
  window->TabSheet5->show();  // the page is updated whichever page shows
  deliver(ScriptedSample());
  EXPECT_EQ(field("DateLabel"), "9-1-2015");
  EXPECT_EQ(field("TimeLabel"), "14:5:9");
  EXPECT_EQ(field("TensLabel"), GetParam().tens);
  EXPECT_EQ(field("EncLabel"), "0" + QString(QLatin1Char(GetParam().separator)) + "0000");
  EXPECT_EQ(field("Pk1Label"), "HIGH");
  EXPECT_EQ(field("Pk2Label"), "LOW");
  EXPECT_EQ(window->latestSample().year, 2015);
}

INSTANTIATE_TEST_SUITE_P(Cases, Separator,
                         ::testing::Values(SeparatorCase{'.', "12.5000"}, SeparatorCase{',', "12,5000"}));

// The fields draw numbers as glyph runs without laying them out; they must
// look as the fully laid-out text does: same glyphs, same place, bold shown.
TEST_F(DisplayPageOnWindow, GlyphRunsLookAsLaidOutText) {
  bus.plug(testing::DeviceSpec(u"Keyboard"));
  start();
  window->setDecimalSeparator(QLatin1Char(','));
  deliver(ScriptedSample());
  for (ValueField* f : window->findChildren<ValueField*>()) {
    for (const QString& text :
         {f->text(), QStringLiteral("-1234,5679"), QStringLiteral("Łódź ąę"), QStringLiteral("AVAV 7,1"), QString()}) {
      f->setText(text);
      f->setAlwaysLaidOut(true);
      const QImage laidOut = f->grab().toImage();
      f->setAlwaysLaidOut(false);
      const QImage run = f->grab().toImage();
      ASSERT_EQ(laidOut.size(), run.size());
      int differing = 0;
      int worst = 0;
      for (int y = 0; y < run.height(); ++y) {
        for (int x = 0; x < run.width(); ++x) {
          const QColor a = laidOut.pixelColor(x, y);
          const QColor b = run.pixelColor(x, y);
          const int d =
              std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
          differing += d > 0;
          worst = std::max(worst, d);
        }
      }
      EXPECT_EQ(differing, 0) << f->objectName().toStdString() << " '" << text.toStdString() << "' worst " << worst;
    }
  }
}

// A new value repaints only from its first changed character on; what the
// screen then holds must be what a full repaint gives.
TEST_F(DisplayPageOnWindow, PartialRepaintsLeaveTheFieldAsAFullPaint) {
  start();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  ValueField* field = window->TabSheet1->tensField();
  const QStringList values = {"783.5630", "783.5712", "783.4712", "-83.4712", "1783.4712", "9.1",
                              "9.1000",   "17.1111",  "71.1111",  "AVAV",     "AV",        "-------------"};
  for (const QString& value : values) {
    field->setText(value);
    const QImage full = field->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = field->mapTo(window.get(), QPoint(0, 0));
    auto screen = [&] {
      return window->screen()
          ->grabWindow(window->winId(), at.x(), at.y(), field->width(), field->height())
          .toImage()
          .convertToFormat(QImage::Format_RGB32);
    };
    // The repaint is posted: the screen holds the full paint once it has run.
    EXPECT_TRUE(testing::PumpUntil([&] { return screen() == full; }, 2000)) << value.toStdString();
  }
}

}  // namespace
}  // namespace vestrix::measure
