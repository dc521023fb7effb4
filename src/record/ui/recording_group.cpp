#include "record/ui/recording_group.h"

#include "ui/compact_combo_style.h"
#include "ui/placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace vestrix::record {

RecordingGroup::RecordingGroup(QWidget* parent) : QGroupBox(parent) {
  setObjectName(QStringLiteral("GroupBox1"));
  setTitle(QStringLiteral("Measurement recording"));
  // Room for two lines beside the path: the Polish caption is a long one.
  auto* fileCaption = ui::Place<QLabel>(this, "Label19", 24, 15, 82, 34);
  fileCaption->setText(QStringLiteral("Save file path"));
  fileCaption->setWordWrap(true);
  fileCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  fileEdit_ = ui::Place<QLineEdit>(this, "Edit_FileName", 108, 21, 309, 21);
  fileEdit_->setReadOnly(true);
  fileButton_ = ui::Place<QPushButton>(this, "Button_SaveFilePath", 423, 19, 40, 26);
  fileButton_->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton));

  ui::PlaceLabel(this, "Label18", QStringLiteral("Period of record"), 24, 59);
  periodList_ = ui::Place<QComboBox>(this, "ComboBox_AcquistionTime", 142, 51, 64, 21);
  periodList_->addItems({QStringLiteral("~ 50 / s."), QStringLiteral("~ 10 / s."), QStringLiteral("~ 1 / s."),
                         QStringLiteral("~ 10 / min."), QStringLiteral("~ 1 / min")});
  periodList_->setCurrentIndex(0);
  periodList_->setStyle(ui::CompactComboStyle());
  periodList_->setToolTip(
      QStringLiteral("Prędkosć zapisu pomiarow do pliku. Maksymalnie 100 pomiarow/sekunde, minimalnie 1/godzine."));

  auto* columnsBox = ui::Place<QGroupBox>(this, "Label_DataAcqParam", 11, 98, 547, 65);
  columnsBox->setTitle(QStringLiteral("Rejestruj do pliku:"));
  struct Box {
    const char* name;
    const char* caption;
    int left;
  };
  // In file order, as Column numbers them.
  constexpr Box kBoxes[kColumnCount] = {
      {"Checkbox_SaveDate", "Data", 11}, {"Checkbox_SaveTime", "Godzina", 67}, {"Checkbox_SaveDataCnt", "Lp.", 138},
      {"Cb_SaveDataTens", "Tens", 194},  {"Cb_SaveDataCnt", "Couter", 258},    {"Cb_SaveDataAnalog", "Analog", 330},
      {"Cb_SaveDataOut1", "PK1", 402},   {"Cb_SaveDataOut2", "PK2", 458},
  };
  for (int c = 0; c < kColumnCount; ++c) {
    auto* box = new QCheckBox(QString::fromLatin1(kBoxes[c].caption), columnsBox);
    box->setObjectName(QString::fromLatin1(kBoxes[c].name));
    box->move(kBoxes[c].left, 29);
    box->adjustSize();
    columnBoxes_[static_cast<std::size_t>(c)] = box;
  }

  autoStartBox_ = ui::Place<QCheckBox>(this, "AutoSave", 22, 177, 297, 17);
  autoStartBox_->setText(QStringLiteral("Automatically start recording at startup"));
}

ColumnChoice RecordingGroup::columns() const {
  ColumnChoice choice{};
  for (int c = 0; c < kColumnCount; ++c) choice[c] = columnBoxes_[static_cast<std::size_t>(c)]->isChecked();
  return choice;
}

std::vector<ui::SettingsRow> RecordingGroup::settingsRows() const {
  std::vector<ui::SettingsRow> rows{{.key = "DataAcquistionSpeed", .list = periodList_},
                                    {.key = "FileName", .edit = fileEdit_}};
  for (int c = 0; c < kColumnCount; ++c) {
    rows.push_back(
        {.key = ColumnSettingsKey(static_cast<Column>(c)), .box = columnBoxes_[static_cast<std::size_t>(c)]});
  }
  rows.push_back({.key = "AutoSave", .box = autoStartBox_});
  return rows;
}

QString AskRecordFile(QWidget* parent, const QString& title, const QString& current) {
  return ui::AskSaveFileName(parent, title, ui::FolderOf(current), QStringLiteral("CSV (*.csv);;TXT (*.txt)"));
}

}  // namespace vestrix::record
