#pragma once

#include "measure/display_texts.h"
#include "measure/ui/value_field.h"
#include "protocol/command.h"
#include "protocol/measurement_sample.h"
#include "ui/window_page.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace vestrix::measure {

// The Display page: the instrument's date and time, the three inputs, MIN
// and MAX and the relays, as the latest measurement gives them, and the
// button that resets the instrument's MIN and MAX.
class DisplayPage : public QWidget, public ui::WindowPage {
  Q_OBJECT

 public:
  explicit DisplayPage(protocol::CommandPort& port, QWidget* parent = nullptr);

  void show(const protocol::MeasurementSample& sample, QChar decimalSeparator);
  void show(const DisplayTexts& texts);
  // The three input captions, one word a line (again after a new language).
  void wrapInputCaptions();
  void languageChanged() override { wrapInputCaptions(); }
  // Asks the instrument to reset its MIN and MAX (while connected).
  void resetMinMax();
  // What the reset button calls: resetMinMax, unless the window routes it
  // through its handler (which calls back).
  std::function<void()> onResetClicked = [this] { resetMinMax(); };

  ValueField* dateField() const { return dateField_; }
  ValueField* tensField() const { return tensField_; }
  ValueField* counterField() const { return counterField_; }

 private:
  protocol::CommandPort& port_;
  ValueField* dateField_;
  ValueField* timeField_;
  ValueField* tensField_;
  ValueField* counterField_;
  ValueField* analogField_;
  ValueField* minField_;
  ValueField* maxField_;
  ValueField* relay1Field_;
  ValueField* relay2Field_;
  QPushButton* resetButton_;
  std::array<QLabel*, 3> inputCaptions_;
};

}  // namespace vestrix::measure
