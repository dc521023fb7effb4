#include "record/ui/acquisition_page.h"

#include "record/ui/acquisition_table_view.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

namespace vestrix::record {

AcquisitionPage::AcquisitionPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheet3"));
  auto* box = ui::Place<QGroupBox>(this, "GroupBoxDataAcquistion", -4, 3, 616, 554);

  runBox_ = ui::Place<QCheckBox>(box, "Checkbox_Acquistion", 8, 27, 122, 17);
  runBox_->setText(QStringLiteral("Aktywuj rejestracje"));
  connect(runBox_, &QCheckBox::toggled, this, &AcquisitionPage::runToggled);
  statusField_ = ui::Place<QLineEdit>(box, "AcquisitionStatus", 150, 25, 87, 23);
  statusField_->setReadOnly(true);
  statusField_->setFocusPolicy(Qt::NoFocus);
  statusField_->setText(QStringLiteral("NIEAKTYWNA"));
  QFont statusFont(QStringLiteral("Calibri"));
  statusFont.setPixelSize(12);
  statusField_->setFont(statusFont);
  showInTableBox_ = ui::Place<QCheckBox>(box, "Cb_ShowInTab", 8, 67, 122, 17);
  showInTableBox_->setText(QStringLiteral("Pokazuj w tablicy"));

  struct Heading {
    const char* name;
    const char* text;
    int left;
  };
  constexpr Heading kHeadings[] = {
      {"Label20", "Data", 8},    {"Label53", "Godzina", 92}, {"Label56", "Tensometr", 173}, {"Label57", "Enkoder", 256},
      {"Label58", "0-10V", 344}, {"Label55", "OUT1", 428},   {"Label59", "OUT2", 508}};
  for (const Heading& h : kHeadings) ui::PlaceLabel(box, h.name, QString::fromLatin1(h.text), h.left, 98);

  rows_ = new AcquisitionTableModel(this);
  tableView_ = ui::Place<AcquisitionTableView>(box, "DataTable", 3, 117, 584, 422);
  tableView_->setModel(rows_);
  tableView_->horizontalHeader()->hide();
  tableView_->verticalHeader()->hide();
  // Fixed sizes: a million rows cost no measuring.
  tableView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tableView_->horizontalHeader()->setDefaultSectionSize(82);
  tableView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tableView_->verticalHeader()->setDefaultSectionSize(20);
  tableView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tableView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  tableView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tableView_->setWordWrap(false);
}

void AcquisitionPage::showStatus(bool active) {
  // Refreshed at every measurement: only a change costs anything.
  if (shown_ && *shown_ == active) return;
  shown_ = active;
  statusField_->setText(active ? QStringLiteral("AKTYWNA") : QStringLiteral("NIEAKTYWNA"));
  QPalette palette = statusField_->palette();
  palette.setColor(QPalette::Base, active ? kActiveColour : kInactiveColour);
  statusField_->setPalette(palette);
}

}  // namespace vestrix::record
