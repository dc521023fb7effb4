#include "record/recording_options.h"

#include "ui/compact_combo_style.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace vestrix::record {

RecordingOptions::RecordingOptions(QGroupBox* group) : QObject(group) {
  setObjectName(QStringLiteral("RecordingOptions"));
  // Room for two lines beside the path: the Polish caption is a long one.
  Label19 = ui::Place<QLabel>(group, "Label19", 24, 15, 82, 34);
  Label19->setText(QStringLiteral("Save file path"));
  Label19->setWordWrap(true);
  Label19->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Edit_FileName = ui::Place<QLineEdit>(group, "Edit_FileName", 108, 21, 309, 21);
  Edit_FileName->setReadOnly(true);
  Edit_FileName->setText(QStringLiteral("data.csv"));
  Button_SaveFilePath = ui::Place<QPushButton>(group, "Button_SaveFilePath", 423, 19, 40, 26);
  Button_SaveFilePath->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton));

  Label18 = ui::PlaceLabel(group, "Label18", QStringLiteral("Period of record"), 24, 59);
  ComboBox_AcquistionTime = ui::Place<QComboBox>(group, "ComboBox_AcquistionTime", 142, 51, 64, 21);
  ComboBox_AcquistionTime->addItems({QStringLiteral("~ 50 / s."), QStringLiteral("~ 10 / s."),
                                     QStringLiteral("~ 1 / s."), QStringLiteral("~ 10 / min."),
                                     QStringLiteral("~ 1 / min")});
  ComboBox_AcquistionTime->setCurrentIndex(0);
  ComboBox_AcquistionTime->setStyle(ui::CompactComboStyle());
  ComboBox_AcquistionTime->setToolTip(QStringLiteral(
      "Prędkosć zapisu pomiarow do pliku. Maksymalnie 100 pomiarow/sekunde, minimalnie 1/godzine."));

  Label_DataAcqParam = ui::Place<QGroupBox>(group, "Label_DataAcqParam", 11, 98, 547, 65);
  Label_DataAcqParam->setTitle(QStringLiteral("Rejestruj do pliku:"));
  struct Box {
    QCheckBox** box;
    const char* name;
    const char* caption;
    int left;
    bool ticked;
  };
  const Box boxes[] = {
      {&Checkbox_SaveDate, "Checkbox_SaveDate", "Data", 11, true},
      {&Checkbox_SaveTime, "Checkbox_SaveTime", "Godzina", 67, true},
      {&Checkbox_SaveDataCnt, "Checkbox_SaveDataCnt", "Lp.", 138, true},
      {&Cb_SaveDataTens, "Cb_SaveDataTens", "Tens", 194, false},
      {&Cb_SaveDataCnt, "Cb_SaveDataCnt", "Couter", 258, true},
      {&Cb_SaveDataAnalog, "Cb_SaveDataAnalog", "Analog", 330, false},
      {&Cb_SaveDataOut1, "Cb_SaveDataOut1", "PK1", 402, false},
      {&Cb_SaveDataOut2, "Cb_SaveDataOut2", "PK2", 458, false},
  };
  for (const Box& b : boxes) {
    *b.box = new QCheckBox(QString::fromLatin1(b.caption), Label_DataAcqParam);
    (*b.box)->setObjectName(QString::fromLatin1(b.name));
    (*b.box)->move(b.left, 29);
    (*b.box)->adjustSize();
    (*b.box)->setChecked(b.ticked);
  }

  AutoSave = ui::Place<QCheckBox>(group, "AutoSave", 22, 177, 297, 17);
  AutoSave->setText(QStringLiteral("Automatically start recording at startup"));
  AutoSave->setChecked(true);
}

std::array<QCheckBox*, kColumnCount> RecordingOptions::columnBoxes() const {
  return {Checkbox_SaveDate, Checkbox_SaveTime, Checkbox_SaveDataCnt, Cb_SaveDataTens,
          Cb_SaveDataCnt,    Cb_SaveDataAnalog, Cb_SaveDataOut1,     Cb_SaveDataOut2};
}

ColumnChoice RecordingOptions::columns() const {
  ColumnChoice choice{};
  const auto boxes = columnBoxes();
  for (int c = 0; c < kColumnCount; ++c) choice[c] = boxes[c]->isChecked();
  return choice;
}

QString WithCsvExtension(const QString& chosen) {
  const qsizetype folder =
      std::max({chosen.lastIndexOf(QLatin1Char('/')), chosen.lastIndexOf(QLatin1Char('\\')),
                chosen.lastIndexOf(QLatin1Char(':'))});
  const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
  const QString extension = dot > folder ? chosen.mid(dot) : QString();
  return extension == QLatin1String(".csv") ? chosen : chosen + QStringLiteral(".csv");
}

}  // namespace vestrix::record
