#include "chart/charts_page.h"

#include "capture/process_capability.h"
#include "capture/results_file.h"
#include "chart/review_loader.h"
#include "files/whole_file.h"
#include "i18n/counted_text.h"
#include "i18n/list_texts.h"
#include "numbers/number_input.h"
#include "protocol/format_fixed.h"
#include "record/record_reader.h"
#include "record/ui/recording_group.h"
#include "ui/number_edit.h"
#include "ui/placement.h"
#include "ui/save_file_dialog.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>

#include <cmath>
#include <limits>

namespace vestrix::chart {

namespace {

// A legend entry in its series' colour.
void Colour(QWidget* box, QColor colour) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::ButtonText, colour);
  box->setPalette(palette);
  QFont font = box->font();
  font.setBold(true);
  box->setFont(font);
}

}  // namespace

ChartsPage::ChartsPage(const std::uint8_t& playStop, ChartsHost& host, QWidget* parent)
    : QWidget(parent), playStop_(playStop), host_(host) {
  setObjectName(QStringLiteral("TabSheet2"));
  chooseReviewFile = [this] {
    return QFileDialog::getOpenFileName(this, host_.message(QStringLiteral("TXT_DIALOG_OPEN_RECORDS")),
                                        ui::FolderOf(lastReviewed_, dialogFolder()),
                                        QStringLiteral("CSV (*.csv);;TXT (*.txt);;* (*)"));
  };
  chooseImageFile = [this] {
    return ui::AskSaveFileName(this, host_.message(QStringLiteral("TXT_DIALOG_SAVE_IMAGE")), dialogFolder(),
                               QStringLiteral("PNG (*.png);;PDF (*.pdf)"));
  };
  chooseResultsFile = [this] {
    return ui::AskSaveFileName(this, host_.message(QStringLiteral("TXT_DIALOG_EXPORT")), dialogFolder(),
                               QStringLiteral("CSV (*.csv)"));
  };
  confirmReplace = [this](const QString& path) {
    return ui::AskReplace(this, QString(), host_.message(QStringLiteral("TXT_REPLACE_FILE")).arg(path));
  };
  wallClockMs = [] { return QDateTime::currentMSecsSinceEpoch(); };
  build();
}

ChartsPage::~ChartsPage() = default;

void ChartsPage::build() {
  playStopButton_ = ui::Place<QPushButton>(this, "BitBtn1", 4, 4, 80, 25);
  playStopButton_->setText(QStringLiteral("Play/Stop"));
  // Pressed while the view stands still.
  playStopButton_->setCheckable(true);
  connect(playStopButton_, &QPushButton::clicked, this, &ChartsPage::playStopClicked);

  spanLabel_ = ui::PlaceLabel(this, "ChartSpanLabel", QStringLiteral("Span:"), 92, 10);
  spanList_ = ui::Place<QComboBox>(this, "ChartSpan", 140, 6, 96, 21);
  // While a file is under review its name stands where the live span was.
  fileLabel_ = ui::Place<QLabel>(this, "ChartFileName", 92, 6, 150, 21);
  fileLabel_->hide();
  spanList_->addItems(i18n::ChartSpans());
  connect(spanList_, &QComboBox::currentIndexChanged, this, [this] { applySpan(); });

  autoScaleBox_ = ui::Place<QCheckBox>(this, "ChartAutoScale", 246, 8, 124, 17);
  autoScaleBox_->setText(QStringLiteral("Automatic scale"));
  autoScaleBox_->setChecked(true);
  minimumBox_ = ui::Place<ui::NumberEdit>(this, "ChartMinimum", 372, 6, 62, 21);
  ui::PlaceLabel(this, "ChartRangeDash", QStringLiteral("-"), 438, 9);
  maximumBox_ = ui::Place<ui::NumberEdit>(this, "ChartMaximum", 446, 6, 62, 21);
  connect(autoScaleBox_, &QCheckBox::toggled, this, [this] { applyValueAxis(); });
  for (ui::NumberEdit* box : {minimumBox_, maximumBox_}) {
    connect(box, &QLineEdit::editingFinished, this, [this] { applyValueAxis(); });
    connect(box, &ui::NumberEdit::clicked, this, [box] { box->setInvalid(false); });
  }

  saveImageButton_ = ui::Place<QPushButton>(this, "ChartSaveImage", 514, 4, 97, 24);
  saveImageButton_->setText(QStringLiteral("Save image"));
  connect(saveImageButton_, &QPushButton::clicked, this, [this] { saveImage(); });
  openFileButton_ = ui::Place<QPushButton>(this, "ChartOpenFile", 514, 31, 97, 24);
  openFileButton_->setText(QStringLiteral("Open file"));
  connect(openFileButton_, &QPushButton::clicked, this, [this] { openFile(); });
  fitAllButton_ = ui::Place<QPushButton>(this, "ChartFitAll", 430, 31, 80, 24);
  fitAllButton_->setText(QStringLiteral("Fit all"));
  fitAllButton_->setToolTip(QStringLiteral("Home"));
  connect(fitAllButton_, &QPushButton::clicked, this, [this] { fitAll(); });
  auto* copyKey = new QShortcut(QKeySequence::Copy, this);
  connect(copyKey, &QShortcut::activated, this, [this] { copyImage(); });
  auto* fitAllKey = new QShortcut(QKeySequence(Qt::Key_Home), this);
  fitAllKey->setContext(Qt::WidgetWithChildrenShortcut);
  connect(fitAllKey, &QShortcut::activated, this, [this] { fitAll(); });

  plot_ = ui::Place<PlotView>(this, "Chart1", 0, 60, 615, 250);
  capturePanel_ = ui::Place<CapturePanel>(this, "CapturePanel", 0, 312, 615, 252);
  connect(capturePanel_, &CapturePanel::rulesEdited, this, [this] { applyCaptureRules(); });
  connect(capturePanel_, &CapturePanel::testChosen, this, [this](int row) { showTest(row); });
  connect(capturePanel_->clearButton(), &QPushButton::clicked, this, [this] {
    (reviewing() ? reviewCapture_ : liveCapture_).clear();
    showCaptureResults();
  });
  connect(capturePanel_->exportButton(), &QPushButton::clicked, this, [this] { exportResults(); });
  for (int k = 0; k < kSeriesKinds; ++k) {
    const auto kind = static_cast<SeriesKind>(k);
    auto* box = new QCheckBox(QString::fromLatin1(SeriesCaption(kind)), this);
    box->setObjectName(QString::fromLatin1(SeriesControl(kind)));
    Colour(box, SeriesColour(kind));
    connect(box, &QCheckBox::toggled, this, [this, kind](bool on) { seriesToggled(kind, on); });
    seriesBoxes_[static_cast<std::size_t>(k)] = box;
  }
  seriesBox(SeriesKind::Tens)->setChecked(true);
  connect(plot_, &PlotView::liveRequested, this, [this] {
    if (reviewing()) {
      fitAll();
    } else {
      emit liveRequested();
    }
  });
  showSeriesOf(kLiveSeries, {true, true, true, true, true});
  plot_->showLive(span());
}

void ChartsPage::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  plot_->setDecimalSeparator(separator);
  capturePanel_->results()->setDecimalSeparator(separator);
  showCaptureResults();
}

std::vector<ui::SettingsRow> ChartsPage::settingsRows() const {
  std::vector<ui::SettingsRow> rows{{.key = "ChartSpan", .list = spanList_},
                                    {.key = "ChartAutoScale", .box = autoScaleBox_},
                                    {.key = "ChartMinimum", .edit = minimumBox_},
                                    {.key = "ChartMaximum", .edit = maximumBox_}};
  const std::vector<ui::SettingsRow> capture = capturePanel_->settingsRows();
  rows.insert(rows.end(), capture.begin(), capture.end());
  return rows;
}

void ChartsPage::setCapacity(std::size_t samples) {
  capacity_ = std::max<std::size_t>(samples, 2);
  if (live_ && live_->empty()) live_.reset();
}

// The legend holds the entries of the series shown, side by side.
void ChartsPage::languageChanged() {
  showSeriesOf(reviewing() ? kFileSeries : kLiveSeries, present_);
  showUnit();
  showCaptureResults();
  // What each rule takes, on its box.
  const QStringList hints = host_.message(QStringLiteral("TXT_CAPTURE_RULES")).split(QLatin1Char(';'));
  for (int f = 0; f < CapturePanel::kFields; ++f) {
    capturePanel_->box(static_cast<CapturePanel::Field>(f))->setToolTip(hints.value(f));
  }
}

void ChartsPage::setUnit(measure::ForceUnit unit) {
  if (unit == liveUnit_) return;
  liveUnit_ = unit;
  showUnit();
  showCaptureResults();
}

// The strain-gauge input is the first series, live and under review alike.
void ChartsPage::showUnit() {
  const QString symbol = measure::UnitSymbol(unit());
  plot_->setValueTitle(measure::WithUnit(seriesBox(SeriesKind::Tens)->text(), unit(),
                                         host_.message(QStringLiteral("TXT_UNIT_UNKNOWN"))));
  plot_->setSeriesUnit(0, symbol);
  capturePanel_->setValueUnit(symbol);
  capturePanel_->results()->setValueUnit(symbol);
}

void ChartsPage::showSeriesOf(const std::array<SeriesKind, 5>& series, const std::array<bool, 5>& present) {
  present_ = present;
  for (QCheckBox* box : seriesBoxes_) box->hide();
  int left = 4;
  for (std::size_t i = 0; i < series.size(); ++i) {
    QCheckBox* box = seriesBox(series[i]);
    plot_->setSeriesColour(static_cast<int>(i), SeriesColour(series[i]));
    plot_->setSeriesVisible(static_cast<int>(i), present[i] && box->isChecked());
    if (!present[i]) continue;
    box->adjustSize();
    box->move(left, 35);
    box->show();
    left += box->width() + 10;
  }
}

void ChartsPage::seriesToggled(SeriesKind kind, bool visible) {
  const std::array<SeriesKind, 5>& shown = reviewing() ? kFileSeries : kLiveSeries;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == kind) plot_->setSeriesVisible(static_cast<int>(i), visible);
  }
}

std::int64_t ChartsPage::span() const {
  const int position = spanList_->currentIndex();
  return position >= 0 && position < static_cast<int>(kSpans.size()) ? kSpans[static_cast<std::size_t>(position)]
                                                                     : kSpans.front();
}

void ChartsPage::applySpan() {
  if (plot_->live()) plot_->showLive(span());
}

// A fixed range only from two valid numbers, the lower one first; a box
// with text that is no number turns light red and is not used.
void ChartsPage::applyValueAxis() {
  if (autoScaleBox_->isChecked()) {
    plot_->setFixedValueRange(std::nullopt);
    return;
  }
  const std::optional<double> low = numbers::ParseNumber(minimumBox_->text(), separator_);
  const std::optional<double> high = numbers::ParseNumber(maximumBox_->text(), separator_);
  minimumBox_->setInvalid(!low || !std::isfinite(*low));
  maximumBox_->setInvalid(!high || !std::isfinite(*high));
  if (low && high && std::isfinite(*low) && std::isfinite(*high) && *low < *high) {
    plot_->setFixedValueRange(ValueRange{*low, *high});
  } else {
    if (low && high && *low >= *high) maximumBox_->setInvalid(true);
    plot_->setFixedValueRange(std::nullopt);
  }
}

void ChartsPage::addMeasurement(const protocol::MeasurementSample& s, std::int64_t arrivalMs) {
  if (!live_) {
    live_ = std::make_unique<SampleHistory>(static_cast<int>(kLiveSeries.size()), capacity_);
    // The monotonic clock labelled as the PC's clock.
    liveBase_.wallOffsetMs = wallClockMs() - arrivalMs;
    if (!reviewing()) plot_->setHistory(live_.get(), liveBase_);
  }
  const float values[] = {s.tensValue, s.counterValue, s.analogValue, s.minValue, s.maxValue};
  live_->append(arrivalMs, values, newRun_);
  newRun_ = false;
  if (!reviewing()) plot_->historyChanged();
  // Tests are captured whether the plot is live or stopped.
  if (capturePanel_->armBox()->isChecked() && liveCapture_.feed(arrivalMs, s.tensValue) && !reviewing()) {
    showCaptureResults();
  }
}

void ChartsPage::connectionEnded() {
  if (liveCapture_.interrupt() && !reviewing()) showCaptureResults();
}

void ChartsPage::feedStopped() {
  newRun_ = true;
  connectionEnded();
}

void ChartsPage::applyCaptureRules() {
  const capture::CaptureSettings rules = capturePanel_->rules(liveCapture_.settings(), separator_);
  liveCapture_.setSettings(rules);
  reviewCapture_.setSettings(rules);
  // Disarmed, a test under way is closed as interrupted, and the next
  // arming starts as the first did.
  if (!capturePanel_->armBox()->isChecked() && liveCapture_.interrupt() && !reviewing()) showCaptureResults();
  showGuides();
  // Over a file every sample is at hand: captured and judged again.
  if (reviewing()) {
    captureFile();
    showCaptureResults();
  }
}

// The file's tests, over its samples, as the live ones would be taken.
void ChartsPage::captureFile() {
  reviewCapture_.clear();
  reviewCapture_ = capture::ForceTestCapture(liveCapture_.settings());
  if (!capturePanel_->armBox()->isChecked() || !review_) return;
  for (std::size_t i = 0; i < review_->size(); ++i) {
    if (review_->gapBefore(i)) reviewCapture_.interrupt();  // a run of the file ended
    reviewCapture_.feed(review_->time(i), review_->value(0, i));
  }
  reviewCapture_.interrupt();
}

void ChartsPage::showCaptureResults() {
  CaptureResultsModel* results = capturePanel_->results();
  const TimeBase& base = reviewing() ? reviewBase_ : liveBase_;
  results->setTexts(host_.message(QStringLiteral("TXT_CAPTURE_COLUMNS")).split(QLatin1Char(';')),
                    host_.message(QStringLiteral("TXT_CAPTURE_ENDS")).split(QLatin1Char(';')));
  QTableView* table = capturePanel_->table();
  // The newest row is followed while the view is at the bottom and nothing
  // is chosen; a row the user looks at stays where it is.
  const QScrollBar* bar = table->verticalScrollBar();
  const bool follow = bar->value() == bar->maximum() && !table->selectionModel()->hasSelection();
  results->showTests(&capture().tests(), {base.wallOffsetMs, base.elapsed});
  if (follow) table->scrollToBottom();
  const capture::Batch& b = capture().batch();
  QString line = host_.message(QStringLiteral("TXT_CAPTURE_BATCH")).arg(b.tests).arg(b.passed).arg(b.failed);
  if (b.interrupted > 0) line += host_.message(QStringLiteral("TXT_CAPTURE_INTERRUPTED")).arg(b.interrupted);
  if (b.peaks.count() > 0) {
    const QString symbol = measure::UnitSymbol(unit());
    const auto value = [&](double v) {
      const QString text = protocol::FormatFixed(v, 15, 4, separator_);
      return symbol.isEmpty() ? text : text + QLatin1Char(' ') + symbol;
    };
    line +=
        host_.message(QStringLiteral("TXT_CAPTURE_PEAKS"))
            .arg(value(b.peaks.mean()), value(b.peaks.deviation()), value(b.peaks.least()), value(b.peaks.greatest()));
  }
  const capture::Capability capability = capture::ProcessCapability(b);
  if (capability.shown()) {
    line += host_.message(QStringLiteral("TXT_CAPTURE_CAPABILITY"))
                .arg(protocol::FormatFixed(capability.cp, 15, 2, separator_),
                     protocol::FormatFixed(capability.cpk, 15, 2, separator_))
                .arg(capability.count);
  }
  capturePanel_->batchLabel()->setText(line);
  showGuides();
}

void ChartsPage::showGuides() {
  const capture::CaptureSettings& rules = liveCapture_.settings();
  PlotGuides guides;
  guides.lowerLimit = rules.lowerLimit;
  guides.upperLimit = rules.upperLimit;
  if (capturePanel_->armBox()->isChecked()) {
    guides.startLevel = rules.startLevel;
    guides.endLevel = rules.endLevel;
  }
  const QString symbol = measure::UnitSymbol(unit());
  for (const capture::CapturedTest& t : capture().tests()) {
    if (t.end == capture::EndReason::Interrupted) continue;  // its peak may be still to come
    QString text = protocol::FormatFixed(t.peak, 15, 4, separator_).trimmed();
    if (!symbol.isEmpty()) text += QLatin1Char(' ') + symbol;
    guides.peaks.push_back({t.peakMs, t.peak, text});
  }
  plot_->setGuides(std::move(guides));
}

void ChartsPage::showTest(int row) {
  const std::vector<capture::CapturedTest>& tests = capture().tests();
  if (row < 0 || row >= static_cast<int>(tests.size())) return;
  const capture::CapturedTest& t = tests[static_cast<std::size_t>(row)];
  if (playStop_ == 0) emit playStopClicked();  // a test is looked at standing still
  capturePanel_->table()->selectRow(row);
  plot_->setHighlight(std::pair{t.startMs, t.endMs});
  // The whole test in time and in value.
  plot_->resetValueZoom();
  plot_->showRange(t.keptFromMs, t.keptToMs);
}

void ChartsPage::fitAll() {
  const SampleHistory* history = reviewing() ? review_.get() : live_.get();
  if (history == nullptr || history->empty()) return;
  if (playStop_ == 0) emit playStopClicked();  // the whole is looked at standing still
  plot_->resetValueZoom();
  plot_->showRange(history->time(0), history->time(history->size() - 1) + 1);
}

QString ChartsPage::dialogFolder() const { return ui::FolderOf(reviewPath_, ui::FolderOf(host_.recordFilePath())); }

void ChartsPage::exportResults() {
  const QString path = ui::ConfirmedSavePath(chooseResultsFile(), QStringLiteral(".csv"), confirmReplace);
  if (!path.isEmpty()) exportResults(path);
}

bool ChartsPage::exportResults(const QString& path) {
  const TimeBase& base = reviewing() ? reviewBase_ : liveBase_;
  const QByteArray text =
      capture::ResultsText(capture().tests(), capture().batch(), capture().settings(),
                           {base.wallOffsetMs, base.elapsed}, separator_, measure::UnitSymbol(unit()));
  const std::optional<files::WriteFailure> failure = files::WriteWholeFile(path, text);
  const QStringList paths{path};
  if (!failure) {
    host_.say(host_.message(QStringLiteral("IDS_CAPTURE_EXPORTED")).arg(path), paths);
    return true;
  }
  host_.say(failure->notRegularFile
                ? host_.message(QStringLiteral("IDS_CHART_NOT_FILE")).arg(path)
                : host_.message(QStringLiteral("IDS_CAPTURE_NOT_EXPORTED")).arg(path, failure->reason),
            paths);
  return false;
}

void ChartsPage::followFlag() {
  playStopButton_->setChecked(playStop_ != 0);
  if (playStop_ == 0) {
    plot_->setHighlight(std::nullopt);
    if (reviewing()) {
      review_.reset();
      reviewPath_.clear();
      showReviewName();
      showSeriesOf(kLiveSeries, {true, true, true, true, true});
      showUnit();
      showCaptureResults();
    }
    plot_->setHistory(live_.get(), liveBase_);
    plot_->showLive(span());
  } else {
    // The view stands still where it is; the data keeps coming.
    plot_->showRange(plot_->viewFrom(), plot_->viewTo());
  }
}

void ChartsPage::openFile() {
  const QString path = chooseReviewFile();
  if (path.isEmpty()) return;
  lastReviewed_ = path;
  load(path);
}

void ChartsPage::showReviewName() {
  const bool shown = reviewing();
  spanLabel_->setVisible(!shown);
  spanList_->setVisible(!shown);
  fileLabel_->setVisible(shown);
  const QString name = QFileInfo(reviewPath_).fileName();
  fileLabel_->setText(fileLabel_->fontMetrics().elidedText(name, Qt::ElideMiddle, fileLabel_->width()));
  fileLabel_->setToolTip(reviewPath_);
}

bool ChartsPage::load(const QString& path) {
  auto history =
      std::make_unique<SampleHistory>(static_cast<int>(kFileSeries.size()), std::numeric_limits<std::uint32_t>::max());
  ReviewLoader loader(*history, host_.recordPeriodMs());
  record::RecordReader reader(loader);
  QProgressDialog progress(host_.message(QStringLiteral("TXT_CHART_READING")).arg(QFileInfo(path).fileName()),
                           host_.message(QStringLiteral("TXT_CHART_CANCEL")), 0, 1000, this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  const record::FileRead read = record::ReadRecordFile(path, reader, [&](std::int64_t done, std::int64_t total) {
    progress.setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    QCoreApplication::processEvents();
    return !progress.wasCanceled();
  });
  progress.reset();
  const QStringList paths{path};
  if (read.notRegularFile) {
    host_.say(host_.message(QStringLiteral("IDS_CHART_NOT_FILE")).arg(path), paths);
    return false;
  }
  if (!read.opened || !read.error.isEmpty()) {
    host_.say(host_.message(QStringLiteral("IDS_CHART_NOT_READ")).arg(path, read.error), paths);
    return false;
  }
  if (read.cancelled) {
    host_.say(host_.message(QStringLiteral("IDS_CHART_CANCELLED")).arg(path), paths);
    return false;
  }
  if (reader.namedRuns() == 0) {
    host_.say(host_.message(QStringLiteral("IDS_CHART_NOT_RECORDS")).arg(path), paths);
    return false;
  }
  const auto counted = [&](const char* forms, std::uint64_t n) {
    return i18n::CountedText(host_.message(QString::fromLatin1(forms)), static_cast<std::int64_t>(n));
  };
  host_.say(host_.message(QStringLiteral("IDS_CHART_READ"))
                .arg(path, counted("TXT_N_RECORDS", reader.records()), counted("TXT_N_RUNS", reader.runs()),
                     counted("TXT_N_LINES", reader.skipped())),
            paths);
  if (history->empty()) return false;
  review_ = std::move(history);
  reviewPath_ = path;
  showReviewName();
  showUnit();
  reviewBase_ = TimeBase{0, !loader.wallClock()};
  // Something is drawn: when none of the ticked series is in the file, the
  // first one that is gets ticked.
  const std::array<bool, 5>& present = loader.present();
  bool anyShown = false;
  for (std::size_t i = 0; i < kFileSeries.size(); ++i) anyShown |= present[i] && seriesBox(kFileSeries[i])->isChecked();
  for (std::size_t i = 0; i < kFileSeries.size() && !anyShown; ++i) {
    if (present[i]) {
      seriesBox(kFileSeries[i])->setChecked(true);
      anyShown = true;
    }
  }
  showSeriesOf(kFileSeries, present);
  plot_->setHistory(review_.get(), reviewBase_);
  captureFile();
  showCaptureResults();
  plot_->showRange(review_->time(0), review_->time(review_->size() - 1) + 1);
  // A file opens stopped.
  if (playStop_ == 0) emit playStopClicked();
  return true;
}

void ChartsPage::saveImage() {
  const QString chosen = chooseImageFile();
  // The dialog offers both; a name that ends in neither becomes a PNG.
  const QString extension = chosen.endsWith(QStringLiteral(".pdf")) ? QStringLiteral(".pdf") : QStringLiteral(".png");
  const QString path = ui::ConfirmedSavePath(chosen, extension, confirmReplace);
  if (!path.isEmpty()) saveImage(path);
}

PictureTexts ChartsPage::pictureTexts() const {
  PictureTexts texts;
  texts.title = reviewing() ? QFileInfo(reviewPath_).fileName() : host_.message(QStringLiteral("TXT_PICTURE_LIVE"));
  texts.date = QString::fromUtf8(capture::IsoText(wallClockMs()));  // as the results file writes times
  const std::array<SeriesKind, 5>& shown = reviewing() ? kFileSeries : kLiveSeries;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (!plot_->seriesVisible(static_cast<int>(i))) continue;
    // The strain-gauge input as the value axis names it, with its unit.
    const QString name = i == 0 ? plot_->valueTitle() : seriesBox(shown[i])->text();
    texts.legend.emplace_back(name.isEmpty() ? seriesBox(shown[i])->text() : name, SeriesColour(shown[i]));
  }
  return texts;
}

void ChartsPage::copyImage() {
  QGuiApplication::clipboard()->setImage(PictureImage(*plot_, pictureTexts()));
  host_.say(host_.message(QStringLiteral("IDS_CHART_COPIED")), {});
}

bool ChartsPage::saveImage(const QString& path) {
  const QByteArray picture =
      path.endsWith(QStringLiteral(".pdf")) ? PicturePdf(*plot_, pictureTexts()) : PicturePng(*plot_, pictureTexts());
  const std::optional<files::WriteFailure> failure = files::WriteWholeFile(path, picture);
  const QStringList paths{path};
  if (!failure) {
    host_.say(host_.message(QStringLiteral("IDS_CHART_SAVED")).arg(path), paths);
    return true;
  }
  host_.say(failure->notRegularFile ? host_.message(QStringLiteral("IDS_CHART_NOT_FILE")).arg(path)
                                    : host_.message(QStringLiteral("IDS_CHART_NOT_SAVED")).arg(path, failure->reason),
            paths);
  return false;
}

}  // namespace vestrix::chart
