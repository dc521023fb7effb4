// The Device configuration page on the real window, offscreen, against the
// simulated instrument: what it sends is checked on the bytes the
// instrument receives.
#include "config/ui/config_page.h"

#include "measure/ui/display_page.h"
#include "protocol/codecs.h"
#include "protocol/message_codes.h"
#include "ui/number_edit.h"

#include "support/window_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QToolButton>

#include <cstring>

namespace vestrix::config {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Float(std::uint8_t code, float v) {
  Bytes b(5, 0);
  b[0] = code;
  protocol::PutFloat32(b.data() + 1, v);
  return b;
}

Bytes Word(std::uint8_t code, std::uint32_t v) {
  Bytes b(5, 0);
  b[0] = code;
  protocol::PutUInt32(b.data() + 1, v);
  return b;
}

class ConfigPageTest : public testing::WindowFixture {
 protected:
  // Connected to a simulated instrument; polling off so that only the
  // page's commands reach it.
  void startConnected(QChar separator = QLatin1Char('.')) {
    instrument = plugInstrument();
    start();
    ASSERT_TRUE(connected());
    window->setDecimalSeparator(separator);
    window->DataTimer->stop();
    settle();
    instrument->clearOutputReports();
  }
  // A message as the instrument's 63-byte report carries it (zeros after it).
  void deliver(Bytes message) {
    message.resize(63);
    window->HandleDeviceReport(*window->ActiveDevice(), 1, message.data(), 63);
  }

  const ParameterRow& row(const char* control) const {
    for (const ParameterRow& r : window->TabSheet4->rows()) {
      if (std::strcmp(PlaceOf(*r.parameter).control, control) == 0) return r;
    }
    ADD_FAILURE() << "no row " << control;
    return window->TabSheet4->rows().front();
  }

  // The messages the instrument received (report id dropped), each cut to
  // the given length.
  std::vector<Bytes> sent(std::size_t length = 5) const {
    std::vector<Bytes> messages;
    for (const auto& report : instrument->outputReports()) {
      messages.emplace_back(report.begin() + 1, report.begin() + 1 + static_cast<long>(length));
    }
    return messages;
  }

  bool invalid(const char* control) const { return row(control).edit->invalid(); }
  QColor base(const char* control) const { return row(control).edit->palette().color(QPalette::Base); }

  std::shared_ptr<hid::sim::SimDevice> instrument;
};

struct FloatCase {
  const char* name;
  QChar separator;
  const char* control;
  const char* typed;
  std::optional<float> sent;  // nothing sent: invalid input
  const char* shown;          // the text afterwards
};

void PrintTo(const FloatCase& c, std::ostream* os) { *os << c.name; }
const std::string kTinyDigits = "0." + std::string(400, '0') + "1";
const std::string kHugeDigits = "1" + std::string(400, '0') + "e-1";

std::string CaseName(const ::testing::TestParamInfo<FloatCase>& info) { return info.param.name; }

class FloatWrite : public ConfigPageTest, public ::testing::WithParamInterface<FloatCase> {};

TEST_P(FloatWrite, ValidatesClampsRewritesAndSends) {
  const FloatCase& c = GetParam();
  startConnected(c.separator);
  const ParameterRow& r = row(c.control);
  r.edit->setText(QString::fromUtf8(c.typed));
  r.writeButton->click();
  if (c.sent) {
    EXPECT_EQ(sent(), std::vector<Bytes>{Float(r.parameter->writeCode(), *c.sent)});
    EXPECT_FALSE(r.edit->invalid());
  } else {
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(r.edit->invalid());
    EXPECT_EQ(r.edit->palette().color(QPalette::Base), ui::NumberEdit::kInvalidColour);
  }
  EXPECT_EQ(r.edit->text(), QString::fromUtf8(c.shown));
}

const QChar kPoint = QLatin1Char('.');
const QChar kComma = QLatin1Char(',');

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatWrite,
    ::testing::Values(FloatCase{"offset_12_5", kPoint, "BoxTensOffset", "12.5", 12.5f, "12.5000"},
                      FloatCase{"offset_12_5_comma", kComma, "BoxTensOffset", "12,5", 12.5f, "12,5000"},
                      FloatCase{"point_in_comma_locale", kComma, "BoxTensOffset", "12.5", std::nullopt, "12.5"},
                      FloatCase{"pk1_on_above", kPoint, "BoxPk1On", "2000", 1000.0f, "1000.0000"},
                      FloatCase{"pk1_on_below", kPoint, "BoxPk1On", "-20000", -10000.0f, "-10000.0000"},
                      FloatCase{"const_zero", kPoint, "BoxTensConst", "0", 0.0001f, "0.0001"},
                      FloatCase{"const_ten", kPoint, "BoxTensConst", "10", 9.9999f, "9.9999"},
                      FloatCase{"const_ten_comma", kComma, "BoxTensConst", "10", 9.9999f, "9,9999"},
                      FloatCase{"sends_nearest_not_text", kPoint, "BoxAdcCoef", "1.23456", 1.23456f, "1.2346"},
                      FloatCase{"blanks_around", kPoint, "BoxEncOffset", "  -7.25 ", -7.25f, "-7.2500"},
                      FloatCase{"exponent", kPoint, "BoxTrigerStart", "1e3", 1000.0f, "1000.0000"},
                      FloatCase{"beyond_float32", kPoint, "BoxTrigerStart", "1e39", 10000.0f, "10000.0000"},
                      FloatCase{"beyond_double", kPoint, "BoxTrigerStop", "-1e400", -10000.0f, "-10000.0000"},
                      // Beyond the double range by their digits, not their exponent.
                      FloatCase{"below_double_without_exponent", kPoint, "BoxTrigerStart", kTinyDigits.c_str(), 0.0f,
                                "0.0000"},
                      FloatCase{"beyond_double_negative_exponent", kPoint, "BoxTrigerStart", kHugeDigits.c_str(),
                                10000.0f, "10000.0000"},
                      FloatCase{"empty", kPoint, "BoxTensCoef", "", std::nullopt, ""},
                      FloatCase{"blanks_only", kPoint, "BoxTensCoef", "   ", std::nullopt, "   "},
                      FloatCase{"letters", kPoint, "BoxTensCoef", "12abc", std::nullopt, "12abc"},
                      FloatCase{"two_separators", kPoint, "BoxTensCoef", "1.2.3", std::nullopt, "1.2.3"},
                      FloatCase{"inside_blank", kPoint, "BoxTensCoef", "1 2", std::nullopt, "1 2"},
                      FloatCase{"inf", kPoint, "BoxTensCoef", "inf", std::nullopt, "inf"},
                      FloatCase{"nan", kPoint, "BoxTensCoef", "nan", std::nullopt, "nan"},
                      FloatCase{"hex", kPoint, "BoxTensCoef", "0x10", std::nullopt, "0x10"},
                      FloatCase{"thousands", kComma, "BoxPk2On", "1.000", std::nullopt, "1.000"},
                      FloatCase{"other_digits", kPoint, "BoxPk2Off", "\xd9\xa3", std::nullopt, "\xd9\xa3"}),
    CaseName);

struct RangeCase {
  const char* typed;
  std::optional<std::uint32_t> sent;
  const char* shown;
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class RatedCapacity : public ConfigPageTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RatedCapacity, HasItsOwnIntegerRule) {
  startConnected();
  const ParameterRow& r = row("BoxTensRange");
  r.edit->setText(QString::fromLatin1(GetParam().typed));
  window->SpeedButton5Click();
  if (GetParam().sent) {
    EXPECT_EQ(sent(), std::vector<Bytes>{Word(160, *GetParam().sent)});
  } else {
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(r.edit->invalid());
  }
  EXPECT_EQ(r.edit->text(), QString::fromLatin1(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, RatedCapacity,
                         // A negative capacity is invalid input: nothing the user chose would be sent.
                         ::testing::Values(RangeCase{"-5", std::nullopt, "-5"}, RangeCase{"0", 1, "1"},
                                           RangeCase{"-0", 1, "1"}, RangeCase{"1000000", 999999, "999999"},
                                           RangeCase{"1500", 1500, "1500"}, RangeCase{" 42 ", 42, "42"},
                                           RangeCase{"12abc", std::nullopt, "12abc"}, RangeCase{"", std::nullopt, ""},
                                           RangeCase{"1.5", std::nullopt, "1.5"},
                                           RangeCase{"2147483648", std::nullopt, "2147483648"},
                                           RangeCase{"-2147483648", std::nullopt, "-2147483648"}));

TEST_F(ConfigPageTest, ListWritesSendThePositionOrTheAddress) {
  startConnected();
  row("BoxModbusBr").list->setCurrentText("115200");
  row("BoxModbusBr").writeButton->click();
  row("BoxModbusAdr").list->setCurrentText("247");
  row("BoxModbusAdr").writeButton->click();
  row("BoxTensFilter").list->setCurrentText("39");
  row("BoxTensFilter").writeButton->click();
  EXPECT_EQ(sent(2), (std::vector<Bytes>{{190, 4}, {129, 247}, {165, 39}}));
}

TEST_F(ConfigPageTest, RepliesFillOnlyTheirOwnControlAndPanelZero) {
  startConnected();
  auto reply = [&](Bytes message) { deliver(std::move(message)); };
  const QString display = window->TabSheet1->tensField()->text();
  reply({1, 5});
  EXPECT_EQ(row("BoxModbusAdr").list->currentText(), "5");
  EXPECT_EQ(panel(0), message("IDS_17"));
  reply({46, 14});
  EXPECT_EQ(row("BoxSampleTime").list->currentText(), "60 [min]");
  EXPECT_EQ(panel(0), message("IDS_23"));
  reply(Float(31, 1.0f));
  EXPECT_EQ(row("BoxTensConst").edit->text(), "1.0000");
  reply(Word(32, 1000000));
  EXPECT_EQ(row("BoxTensRange").edit->text(), "1000000");
  EXPECT_EQ(panel(0), message("IDS_31"));
  // Nothing else on the page moved.
  EXPECT_EQ(row("BoxTensOffset").edit->text(), "");
  EXPECT_EQ(row("BoxModbusBr").list->currentIndex(), 0);
  EXPECT_EQ(window->TabSheet1->tensField()->text(), display);
  // A write code is not a reply.
  reply(Float(159, 3.0f));
  EXPECT_EQ(row("BoxTensConst").edit->text(), "1.0000");
}

// A reply outside the list leaves it without a selection; its write button
// then sends nothing rather than a value nobody chose.
TEST_F(ConfigPageTest, AListWithoutSelectionSendsNothing) {
  startConnected();
  auto reply = [&](Bytes message) { deliver(std::move(message)); };
  reply({1, 0});
  reply({35, 9});
  EXPECT_EQ(row("BoxModbusAdr").list->currentIndex(), -1);
  EXPECT_EQ(row("BoxTensPoint").list->currentIndex(), -1);
  row("BoxModbusAdr").writeButton->click();
  row("BoxTensPoint").writeButton->click();
  EXPECT_TRUE(sent().empty());
}

TEST_F(ConfigPageTest, OnlyAMouseClickRestoresTheColour) {
  startConnected();
  const ParameterRow& r = row("BoxTensOffset");
  r.writeButton->click();  // empty: invalid
  ASSERT_EQ(base("BoxTensOffset"), ui::NumberEdit::kInvalidColour);
  // A good write and a reply change the text, not the colour.
  r.edit->setText("3");
  r.writeButton->click();
  EXPECT_EQ(r.edit->text(), "3.0000");
  Bytes m = Float(33, 4.0f);
  deliver(m);
  EXPECT_EQ(r.edit->text(), "4.0000");
  EXPECT_EQ(base("BoxTensOffset"), ui::NumberEdit::kInvalidColour);
  // Keyboard focus does not restore it.
  window->show();
  r.edit->setFocus(Qt::TabFocusReason);
  QTest::keyClick(r.edit, Qt::Key_End);
  EXPECT_TRUE(invalid("BoxTensOffset"));
  // Nor does a click with another button (the context menu's).
  QTest::mouseClick(r.edit, Qt::RightButton);
  QTest::mouseClick(r.edit, Qt::MiddleButton);
  EXPECT_TRUE(invalid("BoxTensOffset"));
  // A click with the left button does.
  QTest::mouseClick(r.edit, Qt::LeftButton);
  EXPECT_FALSE(invalid("BoxTensOffset"));
  EXPECT_EQ(base("BoxTensOffset"), row("BoxTensCoef").edit->palette().color(QPalette::Base));
  EXPECT_NE(base("BoxTensOffset"), ui::NumberEdit::kInvalidColour);
}

// A value wider than its box shows its start: the sign stays in sight,
// after a reply and after a write's rewrite alike.
TEST_F(ConfigPageTest, AWideValueShowsItsStart) {
  startConnected();
  window->show();
  const ParameterRow& r = row("BoxTensOffset");
  auto startsInSight = [&] {
    // The box scrolls to keep its cursor in sight: at 0 the first character
    // shows, at the box's left edge once painted.
    r.edit->grab();
    const QRect cursor = r.edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return r.edit->cursorPosition() == 0 && cursor.left() < r.edit->fontMetrics().averageCharWidth();
  };
  Bytes m = Float(33, -123456792.0f);
  deliver(m);
  ASSERT_EQ(r.edit->text(), "-123456792.0000");
  ASSERT_GT(r.edit->fontMetrics().horizontalAdvance(r.edit->text()), r.edit->width());  // it is wider
  EXPECT_TRUE(startsInSight());
  r.edit->setText("-999.99991234");
  r.writeButton->click();
  EXPECT_EQ(r.edit->text(), "-999.9999");
  EXPECT_TRUE(startsInSight());
  const ParameterRow& range = row("BoxTensRange");
  range.edit->setText("  00000000000000999999");
  range.writeButton->click();
  EXPECT_EQ(range.edit->text(), "999999");
  EXPECT_EQ(range.edit->cursorPosition(), 0);
}

TEST_F(ConfigPageTest, ReadAndActionButtonsSendTheirCode) {
  startConnected();
  row("BoxTensConst").readButton->click();
  row("BoxModbusBr").readButton->click();
  window->TabSheet4->taringButton()->click();
  window->TabSheet4->calibrationButton()->click();
  window->TabSheet4->findChild<QToolButton*>("SpeedButton51")->click();  // the legend does nothing
  window->TabSheet4->findChild<QToolButton*>("SpeedButton50")->click();
  EXPECT_EQ(sent(1), (std::vector<Bytes>{{31}, {62}, {158}, {140}}));
  // The acknowledgements set their status texts.
  ASSERT_TRUE(testing::PumpUntil([&] { return panel(0) == message("IDS_16"); }));
}

TEST_F(ConfigPageTest, NotConnectedActionsSendNothingWhileWritesStillRewrite) {
  auto spec = testing::DeviceSpec(u"Keyboard");
  auto keyboard = bus.plug(spec);
  start();
  ASSERT_TRUE(disconnected());
  window->TabSheet4->taringButton()->click();
  row("BoxTensConst").readButton->click();
  row("BoxTrigerStart").edit->setText("50000");
  row("BoxTrigerStart").writeButton->click();
  EXPECT_EQ(row("BoxTrigerStart").edit->text(), "10000.0000");
  EXPECT_TRUE(keyboard->outputReports().empty());
}

// Every parameter written, read back through the instrument, shown again.
TEST_F(ConfigPageTest, EveryParameterRoundTripsThroughTheInstrument) {
  startConnected(kComma);
  int k = 0;
  for (const ParameterRow& r : window->TabSheet4->rows()) {
    const protocol::Parameter& p = *r.parameter;
    QString expected;
    if (r.list != nullptr) {
      const int position = (k++ % (r.list->count() - 1)) + 1;  // not the first entry
      r.list->setCurrentIndex(position);
      expected = r.list->currentText();
      r.writeButton->click();
      r.list->setCurrentIndex(0);
      r.readButton->click();
      ASSERT_TRUE(testing::PumpUntil([&] { return r.list->currentText() == expected; })) << p.name;
    } else {
      r.edit->setText(p.kind == protocol::ValueKind::UInt32 ? "4321" : "-0,5");
      if (p.kind == protocol::ValueKind::Float32 && p.lower > -0.5f) r.edit->setText("0,5");
      r.writeButton->click();
      expected = r.edit->text();
      r.edit->clear();
      r.readButton->click();
      ASSERT_TRUE(testing::PumpUntil([&] { return r.edit->text() == expected; })) << p.name;
    }
    EXPECT_EQ(panel(0), message(p.statusId)) << p.name;
  }
}

// Random text of any kind into every edit box: nothing is sent for what is
// not a number, and every value sent lies within its bounds.
TEST_F(ConfigPageTest, RandomTextNeverSendsAnythingOutOfBounds) {
  startConnected();
  window->ActiveDevice()->setReportHandler({});  // no replies needed
  QRandomGenerator random(20261210);
  const QString alphabet = QStringLiteral("0123456789.,eE+- \t\u00a0x\u0663abc\u0000");
  std::size_t sentBefore = 0;
  int accepted = 0;
  for (int i = 0; i < 10000; ++i) {
    const ParameterRow& r = window->TabSheet4->rows()[static_cast<std::size_t>(i) % window->TabSheet4->rows().size()];
    if (r.edit == nullptr) continue;
    QString text;
    const int length = random.bounded(100) == 0 ? 5000 : random.bounded(12);
    for (int n = 0; n < length; ++n) {
      text += random.bounded(4) == 0 ? QChar(static_cast<char16_t>(random.bounded(1, 0xD7FF)))
                                     : alphabet[random.bounded(alphabet.size())];
    }
    r.edit->setText(text);
    r.writeButton->click();
    const auto reports = instrument->outputReports();
    if (reports.size() == sentBefore) {
      EXPECT_TRUE(r.edit->invalid()) << text.toStdString();
      r.edit->setInvalid(false);
      continue;
    }
    ASSERT_EQ(reports.size(), sentBefore + 1);
    sentBefore = reports.size();
    ++accepted;
    const protocol::MessageView m(reports.back().data() + 1, reports.back().size() - 1);
    ASSERT_EQ(m.code(), r.parameter->writeCode());
    if (r.parameter->kind == protocol::ValueKind::UInt32) {
      EXPECT_GE(m.uint32(1), 1u);
      EXPECT_LE(m.uint32(1), 999999u);
    } else {
      const float v = m.float32(1);
      EXPECT_FALSE(std::isnan(v)) << text.toStdString();
      EXPECT_GE(v, r.parameter->lower) << text.toStdString();
      EXPECT_LE(v, r.parameter->upper) << text.toStdString();
    }
    if (reports.size() >= hid::sim::SimDevice::kOutputRecordLimit - 1) {
      instrument->clearOutputReports();
      sentBefore = 0;
    }
  }
  EXPECT_GT(accepted, 100);  // the generator does make numbers too
}

TEST_F(ConfigPageTest, LayoutFromTheTable) {
  start();
  EXPECT_EQ(window->TabSheet4->rows().size(), 27u);
  int edits = 0, lists = 0;
  for (const ParameterRow& r : window->TabSheet4->rows()) {
    if (r.edit != nullptr) {
      ++edits;
      EXPECT_EQ(r.edit->geometry(), QRect(141, 23 + 27 * PlaceOf(*r.parameter).row, 83, 21)) << r.parameter->name;
    } else {
      ++lists;
      EXPECT_FALSE(r.list->isEditable());
      EXPECT_EQ(r.list->count(), r.parameter->choices.count());
      EXPECT_EQ(r.list->currentIndex(), 0);
    }
    EXPECT_EQ(r.readButton->geometry(), QRect(230, 23 + 27 * PlaceOf(*r.parameter).row, 23, 22));
    EXPECT_EQ(r.writeButton->geometry(), QRect(259, 23 + 27 * PlaceOf(*r.parameter).row, 23, 22));
    EXPECT_EQ(r.readButton->objectName(), QString::fromLatin1(PlaceOf(*r.parameter).readButton));
    // Every caption fits its row.
    EXPECT_LE(r.caption->geometry().right(), 141) << PlaceOf(*r.parameter).caption;
  }
  EXPECT_EQ(edits, 14);
  EXPECT_EQ(lists, 13);
  EXPECT_EQ(row("BoxTensFilter").list->itemText(0), "No filtering");
  EXPECT_EQ(row("BoxTensFilter").list->count(), 40);
  EXPECT_EQ(row("BoxModbusAdr").list->itemText(246), "247");
  EXPECT_EQ(window->TabSheet4->groupBox(config::ParameterGroup::Relay)->geometry(), QRect(303, 263, 294, 186));
  EXPECT_EQ(window->TabSheet4->groupBox(config::ParameterGroup::Global)->title(), "Gloabal settings");
}

}  // namespace
}  // namespace vestrix::config
