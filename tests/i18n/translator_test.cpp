// The language switch on the real window, offscreen.
#include "i18n/comma_text.h"
#include "i18n/language_combo.h"
#include "i18n/translation_table.h"
#include "measure/ui/display_page.h"
#include "protocol/codecs.h"

#include "support/samples.h"
#include "support/window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace vestrix::i18n {
namespace {

class Languages : public testing::WindowFixture {
 protected:
  // Every text, list, selection and font of the window, by control name.
  QStringList everything() const {
    QStringList all{window->windowTitle()};
    for (int i = 0; i < window->PageControl1->count(); ++i) all << window->PageControl1->tabText(i);
    for (QWidget* w : window->findChildren<QWidget*>()) {
      const QString name = w->objectName();
      if (name.isEmpty()) continue;
      QString entry = name + "|" + w->font().family();
      if (auto* l = qobject_cast<QLabel*>(w)) entry += "|" + l->text();
      if (auto* b = qobject_cast<QAbstractButton*>(w)) entry += "|" + b->text();
      if (auto* g = qobject_cast<QGroupBox*>(w)) entry += "|" + g->title();
      if (auto* e = qobject_cast<QLineEdit*>(w)) entry += "|" + e->text();
      if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
        entry += "|" + ToCommaText(items) + "|" + QString::number(c->currentIndex());
      }
      all << entry;
    }
    return all;
  }
  void pick(int language) {
    window->LangCombo1->setCurrentIndex(language - 1);
    window->LangCombo1Change(language - 1);
  }
  QString caption(const char* name) const {
    QWidget* w = window->findChild<QWidget*>(name);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return window->PageControl1->tabText(window->PageControl1->indexOf(w));
  }
};

TEST_F(Languages, EnglishPolishEnglishRestoresEverything) {
  start();
  auto* unit = window->findChild<QComboBox*>("BoxTensUnit");
  unit->setCurrentIndex(2);  // "N"
  const QStringList english = everything();
  pick(1);
  const QStringList polish = everything();
  EXPECT_NE(polish, english);
  EXPECT_EQ(unit->currentText(), "N");
  pick(2);
  QStringList back = everything();
  // The caption lost its suffix on the switch; all else is as it was.
  EXPECT_EQ(back.front(), "VESTRIX PC");
  back.front() = english.front();
  EXPECT_EQ(back, english);
}

TEST_F(Languages, PolishCaptionsListsAndFonts) {
  start();
  pick(1);
  const TranslationTable& table = BuiltinTranslationTable();
  int checked = 0;
  for (const TranslationRow& row : table.rows(kCaptionsSection)) {
    QWidget* target = window->findChild<QWidget*>(row.name);
    if (target == nullptr || row.text(1).isEmpty() || row.name == "TFMain") continue;
    EXPECT_EQ(caption(row.name.toLatin1().constData()), row.text(1)) << row.name.toStdString();
    ++checked;
  }
  EXPECT_GE(checked, 60);
  EXPECT_EQ(caption("Label13"), "Przekaźnik 2");
  EXPECT_EQ(caption("Label12"), "Przekaźnik 1");
  EXPECT_EQ(window->StatusBar->font().family(), "Segoe UI");
  EXPECT_EQ(window->windowTitle(), "VESTRIX PC");
  auto* trigger = window->findChild<QComboBox*>("BoxTrigerSource");
  EXPECT_EQ(trigger->itemText(1), "Impuls + (IN 1)");
  // English fields that are empty leave the Polish texts.
  pick(2);
  EXPECT_EQ(caption("Label47"), "- save to device");
  EXPECT_EQ(caption("Label51"), "- read from device");
  EXPECT_EQ(caption("Label52"), "Help:");
  EXPECT_EQ(window->StatusBar->font().family(), "Tahoma");
}

TEST_F(Languages, ASelectionKeepsItsPosition) {
  start();
  pick(1);
  auto* unit = window->findChild<QComboBox*>("BoxTensUnit");
  unit->setCurrentIndex(4);
  EXPECT_EQ(unit->currentText(), "Funt");
  pick(2);
  EXPECT_EQ(unit->currentText(), "Pound");
}

TEST_F(Languages, PolishBlanksTheDisplayUntilTheNextMeasurement) {
  plugInstrument();
  start();
  ASSERT_TRUE(testing::PumpUntil([&] { return window->TabSheet1->tensField()->text() != "-------------"; }));
  window->ActiveDevice()->setReportHandler({});
  pick(1);
  EXPECT_EQ(window->TabSheet1->tensField()->text(), "-------------");
  EXPECT_EQ(window->TabSheet1->dateField()->text(), "-------------");
  const auto m = protocol::EncodeMeasurement(testing::ScriptedSample());
  window->HandleDeviceReport(*window->ActiveDevice(), 1, m.data(), static_cast<std::uint16_t>(m.size()));
  EXPECT_EQ(window->TabSheet1->tensField()->text(), "12.5000");
}

TEST_F(Languages, PickingTheActiveLanguageChangesNothing) {
  start();
  const QStringList before = everything();
  pick(2);
  EXPECT_EQ(everything(), before);
  EXPECT_EQ(window->windowTitle(), "VESTRIX PC - 1.10");
}

TEST_F(Languages, TheSelectorShowsBothFlagsAndNames) {
  start();
  EXPECT_EQ(window->LangCombo1->count(), 2);
  EXPECT_EQ(window->LangCombo1->itemText(0), "Polski");
  EXPECT_EQ(window->LangCombo1->itemText(1), "English");
  EXPECT_EQ(window->LangCombo1->itemIcon(0).availableSizes().value(0), QSize(18, 12));
  EXPECT_EQ(window->LangCombo1->itemIcon(1).availableSizes().value(0), QSize(19, 12));
  EXPECT_EQ(window->LangCombo1->languageFont(0), "Tahoma");
}

TEST(CommaText, RoundTrips) {
  const QStringList entries = {"Ciągły", "Impuls + (IN 1)", "a,b", "say \"x\"", ""};
  EXPECT_EQ(ToCommaText(entries), "Ciągły,\"Impuls + (IN 1)\",\"a,b\",\"say \"\"x\"\"\",\"\"");
  EXPECT_EQ(FromCommaText(ToCommaText(entries)), entries);
  EXPECT_EQ(FromCommaText("1,2,3"), QStringList({"1", "2", "3"}));
  EXPECT_TRUE(FromCommaText("").isEmpty());
}

TEST(TranslationTableData, SectionsAndRowCounts) {
  const TranslationTable& t = BuiltinTranslationTable();
  EXPECT_EQ(t.sectionNames(), QStringList({"Captions", "Hints", "DisplayLabels", "Fonts", "MultiLines", "DlgsCaptions",
                                           "Strings", "OtherStrings", "Locales", "Collections", "CharSets"}));
  // The window's 74 captions, then the 13 of the Charts page and the box
  // that shows it, and the 12 of its test capture.
  EXPECT_EQ(t.rows(kCaptionsSection).size(), 74u + 13u + 12u);
  EXPECT_EQ(t.rows(kCaptionsSection)[73].name, "Label52");
  EXPECT_EQ(t.rows(kFontsSection).size(), 11u);
  EXPECT_EQ(t.rows(kMultiLinesSection).size(), 14u + 2u);  // and the Charts page's span and direction lists
  EXPECT_EQ(t.rows(kDialogCaptionsSection).size(), 15u);
  EXPECT_EQ(t.rows(kOtherStringsSection).size(), 25u);
  EXPECT_EQ(t.rows(kCollectionsSection).size(), 4u);
  EXPECT_EQ(t.rows(kCharSetsSection).size(), 11u);
  // Every list has the same number of entries in both languages.
  for (const TranslationRow& row : t.rows(kMultiLinesSection)) {
    if (row.text(2).isEmpty()) continue;
    EXPECT_EQ(FromCommaText(row.text(1)).size(), FromCommaText(row.text(2)).size()) << row.name.toStdString();
  }
}

// The list rows, made from the lists' one source, read as the table gives
// them: rows in order, an English field only where English differs.
TEST(TranslationTableData, ListRowsAsTheTableGivesThem) {
  const TranslationTable& t = BuiltinTranslationTable();
  QStringList names;
  for (const TranslationRow& row : t.rows(kMultiLinesSection)) names << row.name;
  EXPECT_EQ(names, QStringList({"BoxTensPoint.Items", "BoxAdcPoint.Items", "BoxEncPoint.Items", "BoxTensUnit.Items",
                                "BoxTensFilter.Items", "BoxModbusBr.Items", "BoxModbusAdr.Items", "BoxMemory.Items",
                                "BoxEncReset.Items", "BoxTrigerSource.Items", "BoxSampleTime.Items", "BoxPk1.Items",
                                "BoxPk2.Items", "DataTime.Items", "ChartSpan.Items", "CaptureDirection.Items"}));
  QString numbers;
  for (int i = 1; i <= 39; ++i) numbers += QStringLiteral(",%1").arg(i);
  const TranslationRow* filter = t.findRow(kMultiLinesSection, "BoxTensFilter.Items");
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->text(kPolish), "\"Brak filtracji\"" + numbers);
  EXPECT_EQ(filter->text(kEnglish), "\"No filtering\"" + numbers);
  const TranslationRow* address = t.findRow(kMultiLinesSection, "BoxModbusAdr.Items");
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(FromCommaText(address->text(kPolish)).size(), 247);
  EXPECT_EQ(FromCommaText(address->text(kPolish)).back(), "247");
  EXPECT_TRUE(address->text(kEnglish).isEmpty());
  EXPECT_EQ(t.findRow(kMultiLinesSection, "BoxTrigerSource.Items")->text(kPolish),
            QString::fromUtf8("Ciągły,\"Impuls + (IN 1)\",\"Poziom + (IN 1)\",Tensometr,Enkoder,\"Wejście 0-10V\""));
  EXPECT_EQ(t.findRow(kMultiLinesSection, "BoxPk1.Items")->text(kEnglish), "Tensometric,Counter,Analog");
  EXPECT_EQ(t.findRow(kOtherStringsSection, "BoxTensFilter.Text")->texts,
            QStringList({"Brak filtracji", "No filtering"}));
  EXPECT_EQ(t.findRow(kOtherStringsSection, "BoxTensUnit.Text")->texts, QStringList({"g", ""}));
  EXPECT_EQ(t.findRow(kOtherStringsSection, "DataTime.Text")->texts, QStringList({"20 [ms]", ""}));
}

}  // namespace
}  // namespace vestrix::i18n
