#include "record/acquisition_page.h"

#include "record/acquisition_table_view.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace vestrix::record {

AcquisitionPage::AcquisitionPage(QWidget* page) : QObject(page) {
  setObjectName(QStringLiteral("AcquisitionPage"));
  GroupBoxDataAcquistion = ui::Place<QGroupBox>(page, "GroupBoxDataAcquistion", -4, 3, 616, 554);
  QGroupBox* box = GroupBoxDataAcquistion;

  Checkbox_Acquistion = ui::Place<QCheckBox>(box, "Checkbox_Acquistion", 8, 27, 122, 17);
  Checkbox_Acquistion->setText(QStringLiteral("Aktywuj rejestracje"));
  AcquisitionStatus = ui::Place<QLineEdit>(box, "AcquisitionStatus", 150, 25, 87, 23);
  AcquisitionStatus->setReadOnly(true);
  AcquisitionStatus->setFocusPolicy(Qt::NoFocus);
  AcquisitionStatus->setText(QStringLiteral("NIEAKTYWNA"));
  QFont statusFont(QStringLiteral("Calibri"));
  statusFont.setPixelSize(12);
  AcquisitionStatus->setFont(statusFont);
  Cb_ShowInTab = ui::Place<QCheckBox>(box, "Cb_ShowInTab", 8, 67, 122, 17);
  Cb_ShowInTab->setText(QStringLiteral("Pokazuj w tablicy"));

  const std::pair<QLabel**, std::pair<const char*, int>> headings[] = {
      {&Label20, {"Data", 8}},    {&Label53, {"Godzina", 92}}, {&Label56, {"Tensometr", 173}},
      {&Label57, {"Enkoder", 256}}, {&Label58, {"0-10V", 344}}, {&Label55, {"OUT1", 428}},
      {&Label59, {"OUT2", 508}}};
  static const char* const names[] = {"Label20", "Label53", "Label56", "Label57", "Label58", "Label55", "Label59"};
  int i = 0;
  for (const auto& [label, heading] : headings) {
    *label = ui::PlaceLabel(box, names[i++], QString::fromLatin1(heading.first), heading.second, 98);
  }

  Rows = new AcquisitionTableModel(this);
  DataTable = ui::Place<AcquisitionTableView>(box, "DataTable", 3, 117, 584, 422);
  DataTable->setModel(Rows);
  DataTable->horizontalHeader()->hide();
  DataTable->verticalHeader()->hide();
  // Fixed sizes: a million rows cost no measuring.
  DataTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  DataTable->horizontalHeader()->setDefaultSectionSize(82);
  DataTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  DataTable->verticalHeader()->setDefaultSectionSize(20);
  DataTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  DataTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  DataTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DataTable->setWordWrap(false);
}

void AcquisitionPage::showStatus(bool active) {
  // Refreshed at every measurement: only a change costs anything.
  if (shown_ && *shown_ == active) return;
  shown_ = active;
  AcquisitionStatus->setText(active ? QStringLiteral("AKTYWNA") : QStringLiteral("NIEAKTYWNA"));
  QPalette palette = AcquisitionStatus->palette();
  palette.setColor(QPalette::Base, active ? kActiveColour : kInactiveColour);
  AcquisitionStatus->setPalette(palette);
}

}  // namespace vestrix::record
