#include "measure/ui/display_page.h"

#include "protocol/message_codes.h"
#include "ui/placement.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

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

DisplayPage::DisplayPage(protocol::CommandPort& port, QWidget* parent) : QWidget(parent), port_(port) {
  setObjectName(QStringLiteral("TabSheet1"));
  const QColor windowText = palette().color(QPalette::WindowText);
  const QColor green(0, 128, 0);
  const QColor darkBlue(0, 64, 128);
  const QColor maroon(128, 0, 0);
  dateField_ = Field(this, "DateLabel", {124, 36, 161, 24}, 13, windowText);
  timeField_ = Field(this, "TimeLabel", {424, 37, 170, 24}, 13, windowText);
  tensField_ = Field(this, "TensLabel", {105, 93, 489, 75}, 60, green);
  counterField_ = Field(this, "EncLabel", {105, 174, 489, 75}, 60, green);
  analogField_ = Field(this, "ULabel", {105, 255, 489, 75}, 60, green);
  minField_ = Field(this, "MinLabel", {153, 355, 281, 48}, 35, darkBlue);
  maxField_ = Field(this, "MaxLabel", {153, 409, 281, 48}, 35, darkBlue);
  relay1Field_ = Field(this, "Pk1Label", {153, 463, 113, 24}, 13, maroon);
  relay2Field_ = Field(this, "Pk2Label", {153, 493, 113, 24}, 13, maroon);
  resetButton_ = ui::Place<QPushButton>(this, "BitBtn4", 440, 355, 154, 102);
  resetButton_->setText(QStringLiteral("Reset (MIN, MAX)"));
  connect(resetButton_, &QPushButton::clicked, this, [this] { onResetClicked(); });

  ui::PlaceLabel(this, "Label8", QStringLiteral("Date of measurement"), 14, 41);
  ui::PlaceLabel(this, "Label9", QStringLiteral("Time of measurement"), 315, 41);
  inputCaptions_ = {ui::PlaceLabel(this, "Label14", QStringLiteral("Tensometric input"), 14, 134),
                    ui::PlaceLabel(this, "Label15", QStringLiteral("Counter input"), 19, 215),
                    ui::PlaceLabel(this, "Label16", QStringLiteral("Analog input"), 19, 296)};
  wrapInputCaptions();
  ui::PlaceLabel(this, "Label10", QStringLiteral("Minimum value (MIN)"), 14, 376);
  ui::PlaceLabel(this, "Label11", QStringLiteral("Maximum value (MAX)"), 14, 430);
  ui::PlaceLabel(this, "Label12", QStringLiteral("Relay 1"), 14, 467);
  ui::PlaceLabel(this, "Label13", QStringLiteral("Relay 2"), 14, 497);
}

void DisplayPage::wrapInputCaptions() {
  // One word a line, whatever the language: as wide as the longest word.
  for (QLabel* label : inputCaptions_) {
    int width = 0;
    for (const QString& word : label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      width = std::max(width, label->fontMetrics().horizontalAdvance(word));
    }
    label->setWordWrap(true);
    label->setFixedWidth(width + 2);
    label->adjustSize();
  }
}

void DisplayPage::show(const protocol::MeasurementSample& sample, QChar decimalSeparator) {
  show(FormatSample(sample, decimalSeparator));
}

void DisplayPage::show(const DisplayTexts& t) {
  dateField_->setText(t.date);
  timeField_->setText(t.time);
  tensField_->setText(t.tens);
  counterField_->setText(t.counter);
  analogField_->setText(t.analog);
  minField_->setText(t.min);
  maxField_->setText(t.max);
  relay1Field_->setText(t.relay1);
  relay2Field_->setText(t.relay2);
}

void DisplayPage::resetMinMax() { port_.sendRequest(protocol::kResetMinMax); }

}  // namespace vestrix::measure
