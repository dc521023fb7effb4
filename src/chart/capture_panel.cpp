#include "chart/capture_panel.h"

#include "capture/capture_rules.h"
#include "i18n/list_texts.h"
#include "ui/number_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace vestrix::chart {

namespace {

struct FieldSpec {
  const char* box;
  const char* label;
  const char* caption;
};

constexpr std::array<FieldSpec, CapturePanel::kFields> kFieldSpecs = {{
    {"CaptureStart", "CaptureStartLabel", "Start level"},
    {"CaptureEnd", "CaptureEndLabel", "End level"},
    {"CaptureBreak", "CaptureBreakLabel", "Break [%]"},
    {"CaptureLongest", "CaptureLongestLabel", "Longest [s]"},
    {"CaptureBefore", "CaptureBeforeLabel", "Before [s]"},
    {"CaptureAfter", "CaptureAfterLabel", "After [s]"},
    {"CaptureLower", "CaptureLowerLabel", "Lower limit"},
    {"CaptureUpper", "CaptureUpperLabel", "Upper limit"},
}};

}  // namespace

CapturePanel::CapturePanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CapturePanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(3);

  auto* top = new QHBoxLayout;
  armBox_ = new QCheckBox(QStringLiteral("Capture tests"), this);
  armBox_->setObjectName(QStringLiteral("CaptureArmed"));
  top->addWidget(armBox_);
  auto* directionLabel = new QLabel(QStringLiteral("Direction"), this);
  directionLabel->setObjectName(QStringLiteral("CaptureDirectionLabel"));
  directionList_ = new QComboBox(this);
  directionList_->setObjectName(QStringLiteral("CaptureDirection"));
  directionList_->addItems(i18n::CaptureDirections());
  top->addSpacing(12);
  top->addWidget(directionLabel);
  top->addWidget(directionList_);
  top->addStretch();
  clearButton_ = new QPushButton(QStringLiteral("Clear"), this);
  clearButton_->setObjectName(QStringLiteral("CaptureClear"));
  exportButton_ = new QPushButton(QStringLiteral("Export"), this);
  exportButton_->setObjectName(QStringLiteral("CaptureExport"));
  top->addWidget(clearButton_);
  top->addWidget(exportButton_);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  for (int f = 0; f < kFields; ++f) {
    auto* label = new QLabel(QString::fromLatin1(kFieldSpecs[f].caption), this);
    label->setObjectName(QString::fromLatin1(kFieldSpecs[f].label));
    auto* box = new ui::NumberEdit(this);
    box->setObjectName(QString::fromLatin1(kFieldSpecs[f].box));
    box->setFixedWidth(62);
    grid->addWidget(label, f / 4, (f % 4) * 2);
    grid->addWidget(box, f / 4, (f % 4) * 2 + 1);
    boxes_[static_cast<std::size_t>(f)] = box;
    labels_[static_cast<std::size_t>(f)] = label;
    connect(box, &QLineEdit::editingFinished, this, &CapturePanel::rulesEdited);
    connect(box, &ui::NumberEdit::clicked, this, [box] { box->setInvalid(false); });
  }
  layout->addLayout(grid);
  connect(armBox_, &QCheckBox::toggled, this, &CapturePanel::rulesEdited);
  connect(directionList_, &QComboBox::currentIndexChanged, this, &CapturePanel::rulesEdited);

  results_ = new CaptureResultsModel(this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("CaptureResults"));
  table_->setModel(results_);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(18);
  // Room for the numbers as the Display page writes them; the end's words take the rest.
  fitColumns();
  // Headings that grow (a unit after them, another language) widen their columns.
  connect(results_, &QAbstractItemModel::headerDataChanged, this, [this] { fitColumns(); });
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) { emit testChosen(index.row()); });
  layout->addWidget(table_, 1);

  batchLabel_ = new QLabel(this);
  batchLabel_->setObjectName(QStringLiteral("CaptureBatch"));
  batchLabel_->setWordWrap(true);  // the figures take a second line where they need it
  layout->addWidget(batchLabel_);
}

static_assert(CapturePanel::kFields == capture::kRuleFields && CapturePanel::Upper == int(capture::RuleField::Upper));

void CapturePanel::fitColumns() {
  // Room for the numbers as the Display page writes them, and for the
  // headings; the end's words take the rest.
  constexpr int kWidths[CaptureResultsModel::kColumns - 1] = {40, 54, 62, 64, 46, 60, 60, 60, 48};
  const QFontMetrics metrics = table_->horizontalHeader()->fontMetrics();
  for (int c = 0; c < CaptureResultsModel::kColumns - 1; ++c) {
    const QString heading = results_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    table_->setColumnWidth(c, std::max(kWidths[c], metrics.horizontalAdvance(heading) + 12));
  }
}

std::vector<ui::SettingsRow> CapturePanel::settingsRows() const {
  std::vector<ui::SettingsRow> rows{{.key = "CaptureArmed", .box = armBox_},
                                    {.key = "CaptureDirection", .list = directionList_}};
  for (int f = 0; f < kFields; ++f) rows.push_back({.key = kFieldSpecs[f].box, .edit = boxes_[f]});
  return rows;
}

void CapturePanel::setValueUnit(const QString& unit) {
  const QString suffix = unit.isEmpty() ? QString() : QStringLiteral(" [%1]").arg(unit);
  for (const Field f : {Start, End, Lower, Upper}) {
    QString text = labels_[f]->text();
    // A translation puts the bare caption back; otherwise the old unit goes.
    if (!unitSuffix_.isEmpty() && text.endsWith(unitSuffix_)) text.chop(unitSuffix_.size());
    labels_[f]->setText(text + suffix);
  }
  unitSuffix_ = suffix;
}

capture::CaptureSettings CapturePanel::rules(const capture::CaptureSettings& current, QChar separator) const {
  std::array<QString, kFields> texts;
  for (int f = 0; f < kFields; ++f) texts[f] = boxes_[f]->text();
  capture::CaptureSettings directed = current;
  directed.direction =
      directionList_->currentIndex() == 1 ? capture::Direction::Compression : capture::Direction::Tension;
  const capture::RulesReading reading = capture::ReadCaptureRules(texts, directed, separator);
  for (int f = 0; f < kFields; ++f) boxes_[f]->setInvalid(reading.invalid[f]);
  return reading.rules;
}

}  // namespace vestrix::chart
