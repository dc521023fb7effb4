#include "measure/display_page.h"

#include "measure/value_field.h"
#include "ui/widgets.h"

#include <QLabel>

#include <algorithm>
#include <QLineEdit>
#include <QPushButton>

namespace vestrix::measure {

namespace {

ValueField* Field(QWidget* page, const char* name, QRect geometry, int fontHeight, QColor colour) {
  auto* field = ui::Place<ValueField>(page, name, geometry.x(), geometry.y(), geometry.width(), geometry.height());
  field->setText(kNoValue);
  field->setTextColour(colour);
  QFont font(QStringLiteral("Tahoma"));
  font.setBold(true);
  font.setPixelSize(fontHeight);
  field->setFont(font);
  return field;
}

}  // namespace

DisplayPage::DisplayPage(QWidget* page) : QObject(page) {
  const QColor windowText = page->palette().color(QPalette::WindowText);
  const QColor green(0, 128, 0);
  const QColor darkBlue(0, 64, 128);
  const QColor maroon(128, 0, 0);
  DateLabel = Field(page, "DateLabel", {124, 36, 161, 24}, 13, windowText);
  TimeLabel = Field(page, "TimeLabel", {424, 37, 170, 24}, 13, windowText);
  TensLabel = Field(page, "TensLabel", {105, 93, 489, 75}, 60, green);
  EncLabel = Field(page, "EncLabel", {105, 174, 489, 75}, 60, green);
  ULabel = Field(page, "ULabel", {105, 255, 489, 75}, 60, green);
  MinLabel = Field(page, "MinLabel", {153, 355, 281, 48}, 35, darkBlue);
  MaxLabel = Field(page, "MaxLabel", {153, 409, 281, 48}, 35, darkBlue);
  Pk1Label = Field(page, "Pk1Label", {153, 463, 113, 24}, 13, maroon);
  Pk2Label = Field(page, "Pk2Label", {153, 493, 113, 24}, 13, maroon);
  BitBtn4 = ui::Place<QPushButton>(page, "BitBtn4", 440, 355, 154, 102);
  BitBtn4->setText(QStringLiteral("Reset (MIN, MAX)"));

  Label8 = ui::PlaceLabel(page, "Label8", QStringLiteral("Date of measurement"), 14, 41);
  Label9 = ui::PlaceLabel(page, "Label9", QStringLiteral("Time of measurement"), 315, 41);
  Label14 = ui::PlaceLabel(page, "Label14", QStringLiteral("Tensometric input"), 14, 134);
  Label15 = ui::PlaceLabel(page, "Label15", QStringLiteral("Counter input"), 19, 215);
  Label16 = ui::PlaceLabel(page, "Label16", QStringLiteral("Analog input"), 19, 296);
  wrapInputCaptions();
  Label10 = ui::PlaceLabel(page, "Label10", QStringLiteral("Minimum value (MIN)"), 14, 376);
  Label11 = ui::PlaceLabel(page, "Label11", QStringLiteral("Maximum value (MAX)"), 14, 430);
  Label12 = ui::PlaceLabel(page, "Label12", QStringLiteral("Relay 1"), 14, 467);
  Label13 = ui::PlaceLabel(page, "Label13", QStringLiteral("Relay 2"), 14, 497);
}

void DisplayPage::wrapInputCaptions() {
  // One word a line, whatever the language: as wide as the longest word.
  for (QLabel* label : {Label14, Label15, Label16}) {
    int width = 0;
    for (const QString& word : label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      width = std::max(width, label->fontMetrics().horizontalAdvance(word));
    }
    label->setWordWrap(true);
    label->setFixedWidth(width + 2);
    label->adjustSize();
  }
}

void DisplayPage::show(const DisplayTexts& t) {
  DateLabel->setText(t.date);
  TimeLabel->setText(t.time);
  TensLabel->setText(t.tens);
  EncLabel->setText(t.counter);
  ULabel->setText(t.analog);
  MinLabel->setText(t.min);
  MaxLabel->setText(t.max);
  Pk1Label->setText(t.relay1);
  Pk2Label->setText(t.relay2);
}

void DisplayPage::clear() {
  for (ValueField* f : {DateLabel, TimeLabel, TensLabel, EncLabel, ULabel, MinLabel, MaxLabel, Pk1Label, Pk2Label}) {
    f->setText(kNoValue);
  }
}

}  // namespace vestrix::measure
