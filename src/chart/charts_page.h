#pragma once

#include "capture/force_test_capture.h"
#include "chart/capture_panel.h"
#include "chart/chart_series.h"
#include "chart/plot_picture.h"
#include "chart/plot_view.h"
#include "chart/sample_history.h"
#include "measure/force_unit.h"
#include "protocol/measurement_sample.h"
#include "ui/window_page.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace vestrix::ui {
class NumberEdit;
}

namespace vestrix::chart {

// What the Charts page needs from the program around it.
class ChartsHost {
 public:
  virtual ~ChartsHost() = default;
  // A status message's text in the active language.
  virtual QString message(const QString& identifier) = 0;
  // Panel 0 of the status bar; paths: the parts that may be shortened.
  virtual void say(const QString& text, const QStringList& paths) = 0;
  // The time between records of the chosen period: a record file without
  // its clock columns is drawn at this pace.
  virtual std::int64_t recordPeriodMs() = 0;
  // The record file of the window: its folder is where the file dialogs
  // open when no file of their own came before.
  virtual QString recordFilePath() = 0;
};

// The Charts page: the live plot of the measurements, its Play/Stop button
// (the window's flag: 0 follows the newest samples, anything else stands
// still), the span of the live view, the legend that shows and hides each
// series, the value axis (automatic or a fixed range), a button that saves
// the plot as a picture and one that opens a record file for review.
class ChartsPage : public QWidget, public ui::WindowPage {
  Q_OBJECT

 public:
  // The series of the live history and of a reviewed file, in order.
  static constexpr std::array<SeriesKind, 5> kLiveSeries = {SeriesKind::Tens, SeriesKind::Counter, SeriesKind::Analog,
                                                            SeriesKind::Min, SeriesKind::Max};
  static constexpr std::array<SeriesKind, 5> kFileSeries = {SeriesKind::Tens, SeriesKind::Counter, SeriesKind::Analog,
                                                            SeriesKind::Out1, SeriesKind::Out2};
  // The live spans of the span list, in milliseconds (0: everything kept).
  static constexpr std::array<std::int64_t, 5> kSpans = {10000, 60000, 600000, 3600000, 0};
  static constexpr std::size_t kDefaultCapacity = 1000000;

  ChartsPage(const std::uint8_t& playStop, ChartsHost& host, QWidget* parent = nullptr);
  ~ChartsPage() override;

  void setDecimalSeparator(QChar separator) override;
  std::vector<ui::SettingsRow> settingsRows() const override;
  // How many samples the live history keeps (takes effect before its first).
  void setCapacity(std::size_t samples);
  std::size_t capacity() const { return capacity_; }

  // A measurement message arrived, at a time of the monotonic clock.
  void addMeasurement(const protocol::MeasurementSample& sample, std::int64_t arrivalMs);
  // The instrument connected again: the next sample begins a new run.
  void connectionStarted() { newRun_ = true; }
  // The connection ended: a test under way ends, marked as interrupted.
  void connectionEnded();
  // The page is no longer fed (it was hidden): as for a connection that
  // ended, and the next sample begins a new run, so no line is drawn
  // across the time it was not fed.
  void feedStopped();
  // The Play/Stop flag changed.
  void followFlag();
  // The texts changed with the language: the legend laid out anew, the
  // capture's words taken again.
  void languageChanged() override;
  // The unit of the connected instrument's strain-gauge input. A file under
  // review has none: its unit is unknown.
  void setUnit(measure::ForceUnit unit);
  measure::ForceUnit unit() const { return reviewing() ? measure::ForceUnit::Unknown : liveUnit_; }

  // The dialogs (tests put in their own): a file to review, a file for the
  // picture, a file for the results (as typed, before the extension is
  // added); empty when cancelled. Whether to replace the file that will be
  // written, which exists.
  std::function<QString()> chooseReviewFile;
  std::function<QString()> chooseImageFile;
  std::function<QString()> chooseResultsFile;
  std::function<bool(const QString& path)> confirmReplace;
  // The PC's clock, in milliseconds since the epoch (tests put in their own).
  std::function<std::int64_t()> wallClockMs;
  // Reads a record file for review, with a progress dialog that can cancel.
  void openFile();
  bool load(const QString& path);
  bool reviewing() const { return review_ != nullptr; }
  // The file under review ("" when none).
  const QString& reviewPath() const { return reviewPath_; }
  // Shows all that is kept (the file under review, or the live history),
  // standing still; the value axis as it was before any zoom.
  void fitAll();
  // Saves the plot as a PNG picture at the screen's pixel ratio.
  void saveImage();
  // A PNG, or a vector PDF when the name ends in ".pdf": the plot with a
  // title, the date and a legend above it.
  bool saveImage(const QString& path);
  // The same picture on the clipboard (Ctrl+C on the page).
  void copyImage();
  // What the picture says above the plot.
  PictureTexts pictureTexts() const;

  PlotView* plot() const { return plot_; }
  CapturePanel* capturePanel() const { return capturePanel_; }
  // The tests of what is shown: the live samples, or the file under review.
  const capture::ForceTestCapture& capture() const { return reviewing() ? reviewCapture_ : liveCapture_; }
  // The rules as the boxes give them (after an edit, or a load of the settings).
  void applyCaptureRules();
  // The value axis as its boxes give it.
  void applyValueAxis();
  // Shows a captured test: shaded, zoomed to fit with what was kept of it.
  void showTest(int row);
  // Writes the results of what is shown (tests and batch) to a file.
  void exportResults();
  bool exportResults(const QString& path);
  const SampleHistory* liveHistory() const { return live_.get(); }
  const SampleHistory* reviewHistory() const { return review_.get(); }
  QPushButton* playStopButton() const { return playStopButton_; }
  QComboBox* spanList() const { return spanList_; }
  QCheckBox* seriesBox(SeriesKind kind) const { return seriesBoxes_[static_cast<std::size_t>(kind)]; }
  QCheckBox* autoScaleBox() const { return autoScaleBox_; }
  ui::NumberEdit* minimumBox() const { return minimumBox_; }
  ui::NumberEdit* maximumBox() const { return maximumBox_; }
  QPushButton* saveImageButton() const { return saveImageButton_; }
  QPushButton* openFileButton() const { return openFileButton_; }
  QPushButton* fitAllButton() const { return fitAllButton_; }
  QLabel* fileLabel() const { return fileLabel_; }

 signals:
  void playStopClicked();
  // A double click on the live plot: back to the live view. (Over a file
  // under review it shows the whole file: review is left by Play alone.)
  void liveRequested();

 private:
  void build();
  void showSeriesOf(const std::array<SeriesKind, 5>& series, const std::array<bool, 5>& present);
  std::array<bool, 5> present_{true, true, true, true, true};
  void seriesToggled(SeriesKind kind, bool visible);
  void applySpan();
  std::int64_t span() const;

  void captureFile();
  void showCaptureResults();
  // The limits, the levels (while armed) and the tests' peaks on the plot.
  void showGuides();
  // The unit of what is shown on the axis, the readout and the capture.
  void showUnit();
  measure::ForceUnit liveUnit_ = measure::ForceUnit::Unknown;
  // Where the file dialogs open: the folder of the file under review, else
  // of the record file.
  QString dialogFolder() const;
  // The file name shown in place of the span while a file is under review.
  void showReviewName();

  const std::uint8_t& playStop_;
  ChartsHost& host_;
  QChar separator_ = QLatin1Char('.');
  std::size_t capacity_ = kDefaultCapacity;
  std::unique_ptr<SampleHistory> live_;
  TimeBase liveBase_;
  bool newRun_ = true;
  std::unique_ptr<SampleHistory> review_;
  TimeBase reviewBase_;
  QString reviewPath_;
  QString lastReviewed_;  // the file last chosen for review, opened or not

  PlotView* plot_;
  QPushButton* playStopButton_;
  QComboBox* spanList_;
  std::array<QCheckBox*, kSeriesKinds> seriesBoxes_{};
  QCheckBox* autoScaleBox_;
  ui::NumberEdit* minimumBox_;
  ui::NumberEdit* maximumBox_;
  QPushButton* saveImageButton_;
  QPushButton* openFileButton_;
  QPushButton* fitAllButton_;
  QLabel* spanLabel_;
  QLabel* fileLabel_;
  CapturePanel* capturePanel_;
  capture::ForceTestCapture liveCapture_;
  capture::ForceTestCapture reviewCapture_;
};

}  // namespace vestrix::chart
