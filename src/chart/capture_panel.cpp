#include "chart/capture_panel.h"

#include "config/parameter_input.h"
#include "config/ui/parameter_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

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
    auto* box = new config::ParameterEdit(this);
    box->setObjectName(QString::fromLatin1(kFieldSpecs[f].box));
    box->setFixedWidth(62);
    grid->addWidget(label, f / 4, (f % 4) * 2);
    grid->addWidget(box, f / 4, (f % 4) * 2 + 1);
    boxes_[static_cast<std::size_t>(f)] = box;
    connect(box, &QLineEdit::editingFinished, this, &CapturePanel::rulesEdited);
    connect(box, &config::ParameterEdit::clicked, this, [box] { box->setInvalid(false); });
  }
  layout->addLayout(grid);
  connect(armBox_, &QCheckBox::toggled, this, &CapturePanel::rulesEdited);

  results_ = new CaptureResultsModel(this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("CaptureResults"));
  table_->setModel(results_);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(18);
  // Room for the numbers as the Display page writes them; the end's words take the rest.
  constexpr int kWidths[CaptureResultsModel::kColumns - 1] = {30, 54, 68, 64, 46, 60, 60, 60, 48};
  for (int c = 0; c < CaptureResultsModel::kColumns - 1; ++c) table_->setColumnWidth(c, kWidths[c]);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) { emit testChosen(index.row()); });
  layout->addWidget(table_, 1);

  batchLabel_ = new QLabel(this);
  batchLabel_->setObjectName(QStringLiteral("CaptureBatch"));
  layout->addWidget(batchLabel_);
}

capture::CaptureSettings CapturePanel::rules(const capture::CaptureSettings& current, QChar separator) const {
  capture::CaptureSettings rules = current;
  // A number in its range, or nothing (the box light red).
  auto read = [&](Field f, double least, double most) -> std::optional<double> {
    const std::optional<double> n = config::ParseNumber(box(f)->text(), separator);
    const bool valid = n && std::isfinite(*n) && *n >= least && *n <= most;
    box(f)->setInvalid(!valid);
    return valid ? n : std::nullopt;
  };
  constexpr double kAny = 1e300;
  if (const auto v = read(Start, -kAny, kAny)) rules.startLevel = *v;
  if (const auto v = read(End, -kAny, kAny)) rules.endLevel = *v;
  if (const auto v = read(Break, 0, 100)) rules.breakPercent = *v;
  if (const auto v = read(Longest, 0, kAny)) rules.longestSeconds = *v;
  if (const auto v = read(Before, 0, kAny)) rules.preSeconds = *v;
  if (const auto v = read(After, 0, kAny)) rules.postSeconds = *v;
  // An empty limit is no limit.
  for (const Field f : {Lower, Upper}) {
    std::optional<double>& limit = f == Lower ? rules.lowerLimit : rules.upperLimit;
    if (box(f)->text().trimmed().isEmpty()) {
      box(f)->setInvalid(false);
      limit.reset();
    } else if (const auto v = read(f, -kAny, kAny)) {
      limit = *v;
    }
  }
  if (rules.lowerLimit && rules.upperLimit && *rules.lowerLimit > *rules.upperLimit) {
    box(Upper)->setInvalid(true);
    rules.upperLimit = current.upperLimit;
  }
  return rules;
}

}  // namespace vestrix::chart
